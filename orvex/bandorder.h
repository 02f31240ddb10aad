#pragma once
// Links the bands of a page the way the designer does: by their vertical order. A header
// belongs to the data band below it, a footer to the data band above it, group headers nest
// from the outside in and their footers close in reverse order.

#include "orvex/model.h"

#include <QStringList>

namespace orvex {

void attachBands(Page& page, QStringList& warnings);

} // namespace orvex
