#pragma once
// Draws prepared pages on a painter whose device may have any resolution: positions are
// scaled from 96-dpi pixels, and texts are broken into lines with the device's own metrics.

#include "orvex/prepared.h"

class QPainter;

namespace orvex {

// scale: device pixels per 96-dpi pixel; the painter's origin is the paper's corner.
void paintPage(QPainter& painter, const PreparedPage& page, double scale);

// One object as the report draws it: rect in 96-dpi pixels from the painter's origin, text
// already evaluated (a memo's text, a code's content), highlight -1 or the one in force.
void paintObject(QPainter& painter, const ReportObject& object, const QRectF& rect,
                 const QString& text, double scale, int highlight = -1);

} // namespace orvex
