#pragma once
// Prepared pages onto real devices: a PDF file, a printer, an image for the preview.

#include "orvex/prepared.h"

#include <QImage>
#include <QString>

class QPageLayout;
class QPrinter;

namespace orvex {

// Paper size and orientation of a page, without margins.
QPageLayout pageLayout(const PreparedPage& page);

// Writes the whole file or nothing; *error gets a Czech text naming the file.
bool writePdf(const PreparedReport& report, const QString& path, QString* error);
// Pages fromPage..toPage (1-based, 0 = all) on an already set-up printer; false when the
// printer refused them.
bool printReport(const PreparedReport& report, QPrinter& printer, int fromPage = 0, int toPage = 0);
// One page as an image at `zoom` times 96 dpi.
QImage renderPageImage(const PreparedPage& page, double zoom);

} // namespace orvex
