#pragma once
// Draws prepared pages on a painter whose device may have any resolution: positions are
// scaled from 96-dpi pixels, and texts are broken into lines with the device's own metrics.

#include "orvex/prepared.h"

class QPainter;

namespace orvex {

// scale: device pixels per 96-dpi pixel; the painter's origin is the paper's corner.
void paintPage(QPainter& painter, const PreparedPage& page, double scale);

} // namespace orvex
