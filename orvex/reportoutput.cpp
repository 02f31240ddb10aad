#include "orvex/reportoutput.h"

#include "orvex/pagepainter.h"
#include "storage/engine/savefile.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace orvex {

namespace {

// Draws the pages in the range; false when the device refused a page.
template <typename Device>
bool paintPages(const PreparedReport& report, Device& device, int from, int to) {
    from = qMax(1, from);
    to = to <= 0 ? report.pages.size() : qMin(to, int(report.pages.size()));
    if (from > to)
        return true;
    device.setPageLayout(pageLayout(report.pages[from - 1]));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double scale = device.resolution() / 96.0;
    for (int i = from - 1; i < to; ++i) {
        if (i > from - 1) {
            device.setPageLayout(pageLayout(report.pages[i]));
            if (!device.newPage())
                return false;
        }
        paintPage(painter, report.pages[i], scale);
    }
    return painter.end();
}

} // namespace

QPageLayout pageLayout(const PreparedPage& page) {
    const double shorter = qMin(page.widthMm, page.heightMm);
    const double longer = qMax(page.widthMm, page.heightMm);
    const QPageSize size(QSizeF(shorter, longer), QPageSize::Millimeter, QString(),
                         QPageSize::FuzzyMatch);
    return QPageLayout(
        size, page.widthMm > page.heightMm ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(0, 0, 0, 0));
}

bool writePdf(const PreparedReport& report, const QString& path, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Soubor „%1“ nelze vytvořit: %2").arg(path, file.errorString());
        return false;
    }
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        writer.setCreator(QStringLiteral("Orvex"));
        painted = paintPages(report, writer, 1, 0);
    }
    if (!painted) {
        file.cancelWriting();
        *error = QStringLiteral("Soubor „%1“ nelze zapsat.").arg(path);
        return false;
    }
    QString reason;
    if (!engine::commitAll(file, reason)) {
        *error = QStringLiteral("Soubor „%1“ nelze zapsat: %2").arg(path, reason);
        return false;
    }
    return true;
}

bool printReport(const PreparedReport& report, QPrinter& printer, int fromPage, int toPage) {
    printer.setFullPage(true);
    return paintPages(report, printer, fromPage, toPage);
}

QImage renderPageImage(const PreparedPage& page, double zoom) {
    const double scale = zoom;
    const QSize size(qRound(page.widthMm * pixelsPerMm * scale),
                     qRound(page.heightMm * pixelsPerMm * scale));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, page, scale);
    return image;
}

} // namespace orvex
