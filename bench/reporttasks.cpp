// The report task: 10,000 rows of the book listing to PDF, beside the floor of the PDF
// backend: the same laid-out pages, as plain texts, lines and rectangles, drawn straight
// with QPainter on QPdfWriter.

#include "bench/session.h"
#include "bench/tasks.h"
#include "orvex/orvex.h"
#include "orvex/pagepainter.h"
#include "orvex/reportjob.h"
#include "orvex/reportoutput.h"
#include "reports/parametertext.h"

#include <QFile>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>

namespace bench {

namespace {

constexpr int pdfResolution = 1200; // as the report library writes its PDF files

struct ReportRun {
    QString templatePath;
    QString parameters;
    QString sql;
    int rows = 0;
};

ReportRun reportRun(Session& session) {
    const engine::DataSet& book = session.state.book;
    ReportRun run;
    run.rows = qMin(10000, book.recordCount());
    const qint64 lastId =
        book.valueAt(run.rows - 1, book.fieldIndex(QStringLiteral("Id"))).toLongLong();
    run.sql = QStringLiteral("SELECT * FROM %1  WHERE Id <= %2 ORDER BY Id")
                  .arg(session.table())
                  .arg(lastId);
    run.templatePath = session.options().binaryDir + QStringLiteral("/Ses/Kniha_faktur.fr3");
    run.parameters =
        reports::reportParameterText(QStringLiteral("Kniha faktur"), session.state.settings,
                                     session.state.activeBook.TypProstredi());
    return run;
}

// One drawing call of a page with the pen, brush and font it was made with.
struct DrawCall {
    enum Kind { Text, Line, Rect } kind = Text;
    QFont font;
    QPen pen;
    QBrush brush;
    QPointF at;
    QString text;
    QLineF line;
    QRectF rect;
};
using PageCalls = QVector<DrawCall>;

// Takes down what the report library draws on a page, at the PDF's resolution.
class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(PageCalls& calls) : QPaintEngine(AllFeatures), calls_(calls) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & DirtyPen)
            pen_ = state.pen();
        if (state.state() & DirtyBrush)
            brush_ = state.brush();
    }
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
        DrawCall call{DrawCall::Text, item.font(), pen_, brush_, at, item.text(), {}, {}};
        calls_ << call;
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i)
            calls_ << DrawCall{DrawCall::Line, {}, pen_, brush_, {}, {}, lines[i], {}};
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i)
            calls_ << DrawCall{DrawCall::Rect, {}, pen_, brush_, {}, {}, {}, rects[i]};
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override {
        for (int i = 0; i + 1 < count; ++i) {
            const QLineF edge(points[i], points[i + 1]);
            drawLines(&edge, 1);
        }
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

private:
    PageCalls& calls_;
    QPen pen_;
    QBrush brush_;
};

class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(const QSizeF& sizeMm) : engine_(calls), sizeMm_(sizeMm) {}
    PageCalls calls;
    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return qRound(sizeMm_.width() / 25.4 * pdfResolution);
        case PdmHeight:
            return qRound(sizeMm_.height() / 25.4 * pdfResolution);
        case PdmWidthMM:
            return qRound(sizeMm_.width());
        case PdmHeightMM:
            return qRound(sizeMm_.height());
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return pdfResolution;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 1;
        }
    }

private:
    mutable RecordingEngine engine_;
    QSizeF sizeMm_;
};

QVector<PageCalls> recordPages(const orvex::PreparedReport& report) {
    QVector<PageCalls> pages;
    for (const orvex::PreparedPage& page : report.pages) {
        RecordingDevice device(QSizeF(page.widthMm, page.heightMm));
        QPainter painter(&device);
        orvex::paintPage(painter, page, pdfResolution / 96.0);
        painter.end();
        pages << device.calls;
    }
    return pages;
}

void replay(QPainter& painter, const PageCalls& calls) {
    for (const DrawCall& call : calls) {
        if (painter.pen() != call.pen)
            painter.setPen(call.pen);
        switch (call.kind) {
        case DrawCall::Text:
            if (painter.font() != call.font)
                painter.setFont(call.font);
            painter.drawText(call.at, call.text);
            break;
        case DrawCall::Line:
            painter.drawLine(call.line);
            break;
        case DrawCall::Rect:
            if (painter.brush() != call.brush)
                painter.setBrush(call.brush);
            painter.drawRect(call.rect);
            break;
        }
    }
}

bool drawStraight(const orvex::PreparedReport& report, const QVector<PageCalls>& pages,
                  const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QPdfWriter writer(&file);
    writer.setResolution(pdfResolution);
    writer.setPageLayout(orvex::pageLayout(report.pages.first()));
    QPainter painter(&writer);
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0 && !writer.newPage())
            return false;
        replay(painter, pages[i]);
    }
    return painter.end();
}

// The floor: the report's own pages drawn straight on QPdfWriter (prepared and recorded
// outside the timing).
Session::Timing measureStraightDrawing(Session& session, const ReportRun& run, QString* error) {
    auto data = std::make_shared<orvex::DataTable>();
    if (!orvex::readRows(&session.state.connection, run.sql, *data, error))
        return {};
    const orvex::PreparedJob job = orvex::prepareReport(run.templatePath, run.parameters, data);
    if (!job.ok || job.report.pages.isEmpty()) {
        *error = job.ok ? QStringLiteral("no pages") : job.error;
        return {};
    }
    const QVector<PageCalls> pages = recordPages(job.report);
    const QString pdf = session.dir() + QStringLiteral("straight.pdf");
    const Session::Timing straight = session.measure(
        qMin(session.reps(), 3), [&](QString&) { return drawStraight(job.report, pages, pdf); });
    QFile::remove(pdf);
    return straight;
}

} // namespace

void measureReport(Session& session) {
    const ReportRun run = reportRun(session);
    const QString pdf = session.dir() + QStringLiteral("report.pdf");
    const Session::Timing ours = session.measure(qMin(session.reps(), 3), [&](QString& reason) {
        const orvex::RenderResult result = orvex::renderReportToPdf(
            run.templatePath, run.parameters, run.sql, &session.state.connection, pdf);
        reason = result.error;
        return result.ok;
    });
    QFile::remove(pdf);
    // The tool only reads the report's rows: it has no layout or PDF to make.
    const QString task = QStringLiteral("report of %1 rows to PDF").arg(run.rows);
    session.report(task, ours, session.tool().time(session.toolSql(run.sql), session.reps()));

    ToolTime floor;
    const Session::Timing straight = measureStraightDrawing(session, run, &floor.error);
    floor.ok = straight.cpuMs >= 0;
    floor.ms = straight.cpuMs;
    floor.wallMs = straight.wallMs;
    session.report(task + QStringLiteral(", tool: its pages drawn straight on QPdfWriter"), ours,
                   floor, QStringLiteral("<= 1.3x"));
}

} // namespace bench
