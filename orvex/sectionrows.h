#pragma once
// The rows of a data band in print order: groups gather all rows of one value, whatever order
// the SQL text gave them, outer groups first, texts in Czech alphabetical order.

#include "orvex/model.h"
#include "orvex/reportcontext.h"

#include <QStringList>
#include <QVariant>
#include <QVector>

namespace orvex {

struct SectionRows {
    QVector<int> order;
    QVector<QVector<QVariant>> keys; // [level][position]
};

// The given rows of the data, sorted by the conditions of the group headers (outermost first);
// the context is used to evaluate them. notes get a Czech text for a condition that fails.
void groupRows(SectionRows& rows, const QVector<int>& dataRows,
               const QVector<const Band*>& groupHeaders, ReportContext& context,
               QStringList& notes);

// The outermost group level whose key changes at the position (the level count: none).
int changedLevel(const SectionRows& rows, int position);

// The position after the last row of the group of the level that starts at `start`.
int groupEnd(const SectionRows& rows, int level, int start, int count);

} // namespace orvex
