#include "bench/process.h"
#include "bench/session.h"
#include "bench/tasks.h"

namespace bench {

namespace {

// What the start-up asks of the database: the ids, the first screen and the three sums.
QString startUpScript(const Session& session) {
    const QString table = session.table();
    return session.toolSql(QStringLiteral("SELECT Id FROM %1 ORDER BY Id").arg(table)) +
           session.toolSql(QStringLiteral("SELECT TOP 50 * FROM %1 ORDER BY Id").arg(table)) +
           session.toolSums();
}

} // namespace

void measureStartUp(Session& session) {
    const QString task = QStringLiteral("start-up to first screen with totals");
    ProcessRequest request;
    request.arguments = {session.options().binaryDir + QStringLiteral("/lumira"),
                         QStringLiteral("--dir"), session.dir()};
    request.environment = {QStringLiteral("QT_QPA_PLATFORM=offscreen"),
                           QStringLiteral("LUMIRA_EXIT_AFTER_START=1")};
    request.errors = session.dir() + QStringLiteral("startup-errors.txt");
    QVector<double> cpuTimes;
    QVector<double> wallTimes;
    qint64 peakKb = 0;
    for (int i = 0; i < session.reps(); ++i) {
        const ProcessResult run = runProcess(request);
        if (!run.started || run.exitCode != 0) {
            session.reportMissing(
                task + QStringLiteral(" (ms)"),
                QStringLiteral("failed: exit code %1 %2").arg(run.exitCode).arg(run.error));
            return;
        }
        cpuTimes << run.cpuMs;
        wallTimes << run.wallMs;
        peakKb = qMax(peakKb, run.peakKb);
    }
    const ToolTime tool = session.tool().timeProcess(startUpScript(session), session.reps());
    session.report(task, {median(cpuTimes), median(wallTimes), QString()}, tool,
                   QStringLiteral("< 350 ms CPU at 1,000,000 rows"));
    session.reportMemory(QStringLiteral("peak memory, program started on the book"), peakKb,
                         tool.peakKb);
}

} // namespace bench
