#include "bench/session.h"

#include "bench/generator.h"
#include "storage/bootstrap.h"
#include "storage/inifile.h"

#include <QDir>
#include <QElapsedTimer>
#include <cstdio>
#include <ctime>

namespace bench {

Session::Session(const Options& options, qint64 rows, ConsoleHost& host, ResultTable& table)
    : options_(options), rows_(rows), host_(host), table_(table),
      dir_(QDir(options.workDir).absoluteFilePath(QStringLiteral("book-%1").arg(rows)) + u'/') {}

Session::~Session() {
    browse.reset();
    state.book.close();
    state.scratch.close();
    state.connection.close();
}

bool Session::prepare(QString* error) {
    QDir(dir_).removeRecursively();
    QElapsedTimer timer;
    timer.start();
    if (!generateBook(dir_, QStringLiteral("FDosle"), rows_, error))
        return false;
    std::fprintf(stderr, "%lld invoices generated in %.1f s\n", rows_,
                 double(timer.elapsed()) / 1000.0);
    state.ProgramDir = dir_;
    {
        const IniFile ini(state.settingsPath());
        state.settings = Settings::read(ini);
        state.activeBook.set(Settings::readTypProstredi(ini));
    }
    if (const BootstrapResult database = bootstrapDatabase(state.connection, dir_); !database) {
        *error = database.warning;
        return false;
    }
    const StatusLabels status{&labels[0], &labels[1], &labels[2],
                              &labels[3], &labels[4], &labels[5]};
    browse = std::make_unique<BrowseController>(state, actions, &grid, status, &filterPanel);
    tool_ = std::make_unique<SqliteTool>(options_.sqlite3, state.databasePath(), dir_);
    if (!browse->ReopenBook()) {
        *error = host_.takeMessages().join(u'\n');
        return false;
    }
    browse->LayoutColumns();
    return true;
}

namespace {

double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

} // namespace

Session::Timing Session::measure(int reps, const Operation& op) {
    QVector<double> cpuTimes;
    QVector<double> wallTimes;
    Timing timing;
    for (int i = 0; i < reps; ++i) {
        QString reason;
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = cpuMs();
        const bool ok = op(reason);
        cpuTimes << cpuMs() - cpuStart;
        wallTimes << double(timer.nsecsElapsed()) / 1e6;
        const QStringList messages = host_.takeMessages();
        if (!ok || !messages.isEmpty()) {
            timing.failure = !reason.isEmpty()    ? reason
                             : messages.isEmpty() ? QStringLiteral("no result")
                                                  : messages.first();
            return timing;
        }
    }
    timing.cpuMs = median(cpuTimes);
    timing.wallMs = median(wallTimes);
    return timing;
}

void Session::report(const QString& task, const Timing& ours, const ToolTime& tool,
                     const QString& goal) {
    ResultRow row{task + QStringLiteral(" (ms)"),
                  rows_,
                  ours.cpuMs,
                  tool.ok ? tool.ms : -1,
                  ours.failure.isEmpty() ? QString() : QStringLiteral("failed: ") + ours.failure,
                  ours.wallMs,
                  goal};
    if (!tool.ok)
        std::fprintf(stderr, "tool failed on %s: %s\n", qPrintable(task), qPrintable(tool.error));
    table_.add(row);
}

void Session::reportMemory(const QString& task, qint64 oursKb, qint64 toolKb, const QString& goal) {
    table_.add({task + QStringLiteral(" (MB)"), rows_, oursKb > 0 ? oursKb / 1024.0 : -1,
                toolKb > 0 ? toolKb / 1024.0 : -1, QString(), -1, goal});
}

void Session::reportMissing(const QString& task, const QString& why) {
    table_.add({task, rows_, -1, -1, why, -1, QString()});
}

QString Session::toolSql(const QString& jetSql) const {
    return state.connection.translate(jetSql) + QStringLiteral(";\n");
}

QString Session::toolSums() const {
    QString script;
    for (const char* column : {"Zaklad", "DPH", "Celkem"})
        script += toolSql(QStringLiteral("SELECT SUM(%1) AS CelkemSA FROM %2 %3")
                              .arg(QLatin1String(column), table(), state.BookCondition));
    return script;
}

} // namespace bench
