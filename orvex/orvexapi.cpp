#include "orvex/orvex.h"

#include "orvex/designer/designer.h"

#include "orvex/previewwindow.h"
#include "orvex/reportjob.h"
#include "orvex/reportoutput.h"
#include "orvex/showreport.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace {

struct Rows {
    std::shared_ptr<const orvex::DataTable> data;
    QString error;
};

Rows queryRows(engine::Connection* connection, const QString& sql) {
    auto data = std::make_shared<orvex::DataTable>();
    Rows rows;
    if (orvex::readRows(connection, sql, *data, &rows.error))
        rows.data = data;
    return rows;
}

} // namespace

void SestavaADO(QApplication* application, const QString& templatePath, const QString& parameters,
                const QString& sql, int /*reserved*/, engine::Connection* connection) {
    QWidget* parent = application ? application->activeWindow() : nullptr;
    // "Upravit předlohu" closes the preview; it opens again on the edited template.
    while (orvex::showReport(parent, templatePath, parameters, sql, connection, true))
        orvex::designReport(parent, templatePath, parameters, sql, connection);
}

void OznaceniVerzeDLL(QString* label) {
    if (label)
        *label = QStringLiteral(ORVEX_VERSION_LABEL);
}

namespace orvex {

bool showReport(QWidget* parent, const QString& templatePath, const QString& parameters,
                const QString& sql, engine::Connection* connection, bool offerEditing) {
    const QString caption = QStringLiteral("Sestava");
    const Rows rows = queryRows(connection, sql);
    if (!rows.data) {
        QMessageBox::critical(parent, caption, rows.error);
        return false;
    }
    LoadedReport loaded = loadReport(templatePath, parameters, rows.data);
    if (!loaded.ok) {
        QMessageBox::critical(parent, caption, loaded.error);
        return false;
    }
    QString title = loaded.input.report->name.trimmed();
    if (title.isEmpty())
        title = QFileInfo(templatePath).completeBaseName();
    PreviewWindow preview(std::move(loaded.input), loaded.warnings, title, parent);
    if (offerEditing)
        preview.offerTemplateEditing();
    preview.exec();
    return preview.editRequested();
}

RenderResult renderReportToPdf(const QString& templatePath, const QString& parameters,
                               const QString& sql, engine::Connection* connection,
                               const QString& pdfPath) {
    RenderResult result;
    const Rows rows = queryRows(connection, sql);
    if (!rows.data) {
        result.error = rows.error;
        return result;
    }
    const PreparedJob job = prepareReport(templatePath, parameters, rows.data);
    if (!job.ok) {
        result.error = job.error;
        return result;
    }
    result.warnings = job.report.warnings;
    result.pageCount = job.report.pages.size();
    result.ok = writePdf(job.report, pdfPath, &result.error);
    return result;
}

} // namespace orvex
