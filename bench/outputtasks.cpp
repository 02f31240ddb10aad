#include "bench/memory.h"
#include "bench/session.h"
#include "bench/tasks.h"
#include "export/export1.h"

#include <QFile>

namespace bench {

namespace {

// The tool's own "|"-separated export of the whole table with a header line.
QString toolExport(const Session& session, const QString& path) {
    return QStringLiteral(".headers on\n.mode list\n.separator |\n.once %1\n").arg(path) +
           session.toolSql(QStringLiteral("SELECT * FROM %1 ORDER BY Id").arg(session.table()));
}

void measureExport(Session& session, const QString& format, const QString& goal,
                   const std::function<Export1::Outcome(const QString&)>& exportTo) {
    const QString path = session.dir() + QStringLiteral("export.") + format.toLower();
    resetPeakMemory();
    const Session::Timing ours = session.measure(
        session.reps(), [&](QString&) { return exportTo(path) == Export1::Outcome::Written; });
    const qint64 peakKb = peakMemoryKb();
    QFile::remove(path);
    const QString toolPath = session.dir() + QStringLiteral("tool-export.csv");
    const ToolTime tool = session.tool().time(toolExport(session, toolPath), session.reps());
    QFile::remove(toolPath);
    session.report(format + QStringLiteral(" export of the whole book"), ours, tool, goal);
    session.reportMemory(QStringLiteral("peak memory during ") + format + QStringLiteral(" export"),
                         peakKb, tool.peakKb, QStringLiteral("flat in N"));
}

} // namespace

void measureExports(Session& session) {
    const engine::DataSet& book = session.state.book;
    measureExport(
        session, QStringLiteral("CSV"), QStringLiteral("<= 1.0x tool"),
        [&](const QString& path) { return Export1::ExportToCsv(book, true, false, u'|', path); });
    measureExport(session, QStringLiteral("XML"), QStringLiteral("<= 1.2x tool"),
                  [&](const QString& path) {
                      return Export1::ExportToXml(book, path, QStringLiteral("data"));
                  });
}

} // namespace bench
