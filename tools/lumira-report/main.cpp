// lumira-report: renders a report template over the program's database into a PDF file,
// for users and scripts; or opens a template in the designer.

#include "orvex/orvex.h"
#include "storage/engine/connection.h"
#include "tools/lumira-report/designerhook.h"
#include "tools/lumira-report/reportcommand.h"
#include "tools/lumira-report/watchdog.h"

#include <QApplication>
#include <cstdio>

namespace {

enum ExitCode { Written = 0, Failed = 1, WrongArguments = 2, TimedOut = 3 };

void printError(const QString& text) {
    std::fprintf(stderr, "lumira-report: %s\n", qPrintable(text));
}

int render(const lumirareport::ReportCommand& command) {
    engine::Connection connection;
    QString error;
    if (!connection.open(command.databasePath, &error)) {
        printError(
            QStringLiteral("Databázi „%1“ nelze otevřít: %2").arg(command.databasePath, error));
        return Failed;
    }
    const orvex::RenderResult result = orvex::renderReportToPdf(
        command.templatePath, command.parameters, command.sql, &connection, command.pdfPath);
    for (const QString& warning : result.warnings)
        std::fprintf(stderr, "Upozornění: %s\n", qPrintable(warning));
    if (!result.ok) {
        printError(result.error);
        return Failed;
    }
    return Written;
}

bool wantsDesigner(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--design") == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    // A PDF needs the fonts, not a screen; only the designer opens a window.
    if (!wantsDesigner(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    lumirareport::ReportCommand command;
    QString error;
    if (!lumirareport::parseCommand(application.arguments().mid(1), command, &error)) {
        printError(error + QStringLiteral(" Nápověda: lumira-report --help"));
        return WrongArguments;
    }
    if (command.help) {
        std::fputs(qPrintable(lumirareport::usageText()), stdout);
        return Written;
    }
    if (!command.designPath.isEmpty()) {
        const int code = lumirareport::openDesigner(command, &error);
        if (!error.isEmpty())
            printError(error);
        return code;
    }
    const lumirareport::Watchdog watchdog(
        command.timeoutSeconds,
        QStringLiteral("lumira-report: Sestava „%1“ neskončila do %2 s, běh byl ukončen; soubor "
                       "PDF nebyl zapsán.")
            .arg(command.templatePath)
            .arg(command.timeoutSeconds),
        TimedOut);
    return render(command);
}
