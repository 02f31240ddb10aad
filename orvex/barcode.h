#pragma once
// Bar codes and two-dimensional codes (QR, Data Matrix, PDF417 ...) encoded by libzint and
// drawn as filled rectangles, so they stay sharp at any resolution.

#include "orvex/model.h"

#include <QPainterPath>
#include <QSizeF>
#include <QString>

class QPainter;

namespace orvex {

struct EncodedBarcode {
    QPainterPath modules; // dark modules, in the encoder's units
    QSizeF size;          // of the whole symbol in the same units
    QString error;        // Czech, when the text cannot be encoded in the symbology
};

EncodedBarcode encodeBarcode(const ReportObject& object, const QString& text);

// Draws the code into r (device pixels): a 1D code fills the width above its text, a 2D code
// keeps its modules square.
void paintBarcode(QPainter& painter, const ReportObject& object, const QRectF& r,
                  const QString& text, double scale);

} // namespace orvex
