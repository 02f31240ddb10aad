#include "bench/memory.h"
#include "bench/session.h"
#include "bench/tasks.h"
#include "export/export1.h"
#include "orvex/orvex.h"
#include "reports/parametertext.h"

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

void measureReport(Session& session) {
    const engine::DataSet& book = session.state.book;
    const int rows = qMin(10000, book.recordCount());
    const qint64 lastId =
        book.valueAt(rows - 1, book.fieldIndex(QStringLiteral("Id"))).toLongLong();
    const QString sql = QStringLiteral("SELECT * FROM %1  WHERE Id <= %2 ORDER BY Id")
                            .arg(session.table())
                            .arg(lastId);
    const QString templatePath =
        session.options().binaryDir + QStringLiteral("/Ses/Kniha_faktur.fr3");
    const QString parameters =
        reports::reportParameterText(QStringLiteral("Kniha faktur"), session.state.settings,
                                     session.state.activeBook.TypProstredi());
    const QString pdf = session.dir() + QStringLiteral("report.pdf");
    const Session::Timing ours = session.measure(qMin(session.reps(), 3), [&](QString& reason) {
        const orvex::RenderResult result =
            orvex::renderReportToPdf(templatePath, parameters, sql, &session.state.connection, pdf);
        reason = result.error;
        return result.ok;
    });
    QFile::remove(pdf);
    // The tool only reads the report's rows: it has no layout or PDF to make.
    session.report(QStringLiteral("report of %1 rows to PDF").arg(rows), ours,
                   session.tool().time(session.toolSql(sql), session.reps()));
}

} // namespace bench
