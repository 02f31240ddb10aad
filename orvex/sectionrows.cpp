#include "orvex/sectionrows.h"

#include <algorithm>
#include <numeric>

namespace orvex {

namespace {

QString conditionNote(const Band& header, const QString& error) {
    return QStringLiteral("Podmínka skupiny „%1“ nelze vyhodnotit: %2.").arg(header.name, error);
}

QVector<QVariant> groupKeys(const Band& header, int rowCount, ReportContext& context,
                            QStringList& notes) {
    const ParsedExpression parsed = parseExpression(header.condition);
    QVector<QVariant> keys(rowCount);
    if (!parsed.root) {
        notes << conditionNote(header, parsed.error);
        return keys;
    }
    for (int row = 0; row < rowCount; ++row) {
        context.state.position = row;
        QString error;
        keys[row] = evaluate(*parsed.root, context, &error);
        if (!error.isEmpty() && !notes.contains(conditionNote(header, error)))
            notes << conditionNote(header, error);
    }
    return keys;
}

} // namespace

void groupRows(SectionRows& rows, int rowCount, const QVector<const Band*>& groupHeaders,
               ReportContext& context, QStringList& notes) {
    rows.order.resize(rowCount);
    std::iota(rows.order.begin(), rows.order.end(), 0);
    context.state.order = &rows.order;
    for (const Band* header : groupHeaders)
        rows.keys << groupKeys(*header, rowCount, context, notes);
    std::stable_sort(rows.order.begin(), rows.order.end(), [&](int a, int b) {
        for (const QVector<QVariant>& keys : rows.keys) {
            const int c = compareValues(keys[a], keys[b]);
            if (c != 0)
                return c < 0;
        }
        return false;
    });
    for (QVector<QVariant>& keys : rows.keys) {
        QVector<QVariant> sorted(rowCount);
        for (int position = 0; position < rowCount; ++position)
            sorted[position] = keys[rows.order[position]];
        keys = sorted;
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
