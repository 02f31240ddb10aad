// lumira-bench: times the program's operations on generated books beside the sqlite3 tool
// running the same SQL on the same file, and prints one table.

#include "bench/consolehost.h"
#include "bench/resulttable.h"
#include "bench/session.h"
#include "bench/tasks.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

namespace {

struct Command {
    bench::Options options;
    QList<qint64> sizes;
    QStringList groups;
};

using Group = void (*)(bench::Session&);
const QList<QPair<QString, Group>>& taskGroups() {
    static const QList<QPair<QString, Group>> groups{
        {QStringLiteral("startup"), bench::measureStartUp},
        {QStringLiteral("book"), bench::measureBook},
        {QStringLiteral("changes"), bench::measureChanges},
        {QStringLiteral("moves"), bench::measureRandomMoves},
        {QStringLiteral("lookups"), bench::measureLookups},
        {QStringLiteral("exports"), bench::measureExports},
        {QStringLiteral("report"), bench::measureReport}};
    return groups;
}

bool parseCommand(const QApplication& application, Command& command) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Lumira benchmark"));
    parser.addHelpOption();
    const QCommandLineOption rows(QStringLiteral("rows"),
                                  QStringLiteral("Book sizes, comma-separated."),
                                  QStringLiteral("N,..."), QStringLiteral("10000,1000000"));
    const QCommandLineOption reps(QStringLiteral("reps"),
                                  QStringLiteral("Repetitions of each task (median)."),
                                  QStringLiteral("R"), QStringLiteral("5"));
    const QCommandLineOption work(QStringLiteral("work"),
                                  QStringLiteral("Folder for the generated books (kept)."),
                                  QStringLiteral("DIR"));
    const QCommandLineOption tool(QStringLiteral("sqlite3"),
                                  QStringLiteral("The sqlite3 command-line tool."),
                                  QStringLiteral("PATH"), QStringLiteral("sqlite3"));
    const QCommandLineOption only(
        QStringLiteral("tasks"),
        QStringLiteral("Task groups to run: startup,book,changes,moves,lookups,exports,report."),
        QStringLiteral("LIST"),
        QStringLiteral("startup,book,changes,moves,lookups,exports,report"));
    parser.addOptions({rows, reps, work, tool, only});
    parser.process(application);
    for (const QString& size : parser.value(rows).split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        command.sizes << size.toLongLong(&ok);
        if (!ok || command.sizes.last() < 1)
            return false;
    }
    bool ok = false;
    command.options.reps = parser.value(reps).toInt(&ok);
    command.options.sqlite3 = parser.value(tool);
    command.options.workDir = parser.value(work);
    command.options.binaryDir = QCoreApplication::applicationDirPath();
    command.groups = parser.value(only).split(u',', Qt::SkipEmptyParts);
    return ok && command.options.reps > 0 && !command.sizes.isEmpty();
}

bool runSize(const Command& command, qint64 rows, bench::ConsoleHost& host,
             bench::ResultTable& table) {
    const bench::Options& options = command.options;
    bench::Session session(options, rows, host, table);
    QString error;
    if (!session.prepare(&error)) {
        std::fprintf(stderr, "lumira-bench: book of %lld rows: %s\n", rows, qPrintable(error));
        return false;
    }
    for (const auto& [name, group] : taskGroups())
        if (command.groups.contains(name))
            group(session);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    Command command;
    if (!parseCommand(application, command)) {
        std::fprintf(stderr, "lumira-bench: wrong arguments (see --help)\n");
        return 2;
    }
    QTemporaryDir temporary;
    if (command.options.workDir.isEmpty())
        command.options.workDir = temporary.path();
    bench::ConsoleHost host;
    dialogs::setHost(&host);
    bench::ResultTable table;
    bool ok = true;
    for (qint64 rows : command.sizes)
        ok = runSize(command, rows, host, table) && ok;
    table.print(stdout);
    return ok && !table.anyFailed() ? 0 : 1;
}
