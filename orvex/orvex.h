#pragma once
// The report library: reads a report template, runs its SQL text over the program's
// connection, lays out the pages and shows them for printing and saving as PDF.

#include "orvex/orvexglobal.h"

#include <QString>
#include <QStringList>

class QApplication;

namespace engine {
class Connection;
}

// Runs one report and returns when the user closes its preview. parameters: the program's
// "key|value|..." text; reserved: -1. Problems are shown to the user in Czech message boxes.
ORVEX_EXPORT void SestavaADO(QApplication* application, const QString& templatePath,
                             const QString& parameters, const QString& sql, int reserved,
                             engine::Connection* connection);

// The library's version label, e.g. "1.1.0".
ORVEX_EXPORT void OznaceniVerzeDLL(QString* label);

namespace orvex {

struct RenderResult {
    bool ok = false;
    QString error; // Czech, when ok is false
    QStringList warnings;
    int pageCount = 0;
};

// The same report written straight to a PDF file, without any window.
ORVEX_EXPORT RenderResult renderReportToPdf(const QString& templatePath, const QString& parameters,
                                            const QString& sql, engine::Connection* connection,
                                            const QString& pdfPath);

} // namespace orvex
