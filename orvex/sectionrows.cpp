#include "orvex/sectionrows.h"

#include <algorithm>
#include <numeric>

namespace orvex {

namespace {

QString conditionNote(const Band& header, const QString& error) {
    return QStringLiteral("Podmínku skupiny „%1“ nelze vyhodnotit: %2.").arg(header.name, error);
}

// The condition's value for each position of the context's row order.
QVector<QVariant> groupKeys(const Band& header, int count, ReportContext& context,
                            QStringList& notes) {
    const ParsedExpression parsed = parseExpression(header.condition);
    QVector<QVariant> keys(count);
    if (!parsed.root) {
        notes << conditionNote(header, parsed.error);
        return keys;
    }
    for (int position = 0; position < count; ++position) {
        context.state.position = position;
        QString error;
        keys[position] = evaluate(*parsed.root, context, &error);
        if (!error.isEmpty() && !notes.contains(conditionNote(header, error)))
            notes << conditionNote(header, error);
    }
    return keys;
}

} // namespace

void groupRows(SectionRows& rows, const QVector<int>& dataRows,
               const QVector<const Band*>& groupHeaders, ReportContext& context,
               QStringList& notes) {
    rows.order = dataRows;
    context.state.order = &rows.order;
    const int count = rows.order.size();
    for (const Band* header : groupHeaders)
        rows.keys << groupKeys(*header, count, context, notes);
    if (rows.keys.isEmpty())
        return;
    QVector<int> sorted(count); // positions in the given order
    std::iota(sorted.begin(), sorted.end(), 0);
    std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
        for (const QVector<QVariant>& keys : rows.keys) {
            const int c = compareValues(keys[a], keys[b]);
            if (c != 0)
                return c < 0;
        }
        return false;
    });
    const QVector<int> given = rows.order;
    for (int position = 0; position < count; ++position)
        rows.order[position] = given[sorted[position]];
    for (QVector<QVariant>& keys : rows.keys) {
        const QVector<QVariant> unsorted = keys;
        for (int position = 0; position < count; ++position)
            keys[position] = unsorted[sorted[position]];
    }
}

int changedLevel(const SectionRows& rows, int position) {
    for (int level = 0; level < rows.keys.size(); ++level)
        if (position == 0 ||
            compareValues(rows.keys[level][position], rows.keys[level][position - 1]) != 0)
            return level;
    return rows.keys.size();
}

int groupEnd(const SectionRows& rows, int level, int start, int count) {
    if (rows.keys.isEmpty())
        return count;
    int end = start + 1;
    while (end < count && changedLevel(rows, end) > level)
        ++end;
    return end;
}

} // namespace orvex
