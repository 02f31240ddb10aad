#include "bench/resulttable.h"

namespace bench {

namespace {

QString figure(double value) {
    if (value < 0)
        return QStringLiteral("-");
    return QString::number(value, 'f', value < 10 ? 2 : 1);
}

QString ratio(const ResultRow& row) {
    if (row.ours < 0 || row.tool <= 0)
        return QStringLiteral("-");
    return QString::number(row.ours / row.tool, 'f', 2);
}

// A missing figure shows why it is missing in its own cell.
QString line(const ResultRow& row) {
    const QString ours = row.note.isEmpty() ? figure(row.ours) : row.note;
    return QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 |")
        .arg(row.task, QString::number(row.rows), ours, figure(row.tool), ratio(row),
             figure(row.oursWall), row.goal);
}

} // namespace

void ResultTable::add(const ResultRow& row) {
    rows_ << row;
    failed_ = failed_ || !row.note.isEmpty();
    std::fprintf(stderr, "%s\n", qPrintable(line(row)));
    std::fflush(stderr);
}

void ResultTable::print(std::FILE* out) const {
    std::fprintf(out, "| task | N | ours | tool | ours/tool | ours, wall clock | goal |\n"
                      "|---|---:|---:|---:|---:|---:|---|\n");
    for (const ResultRow& row : rows_)
        std::fprintf(out, "%s\n", qPrintable(line(row)));
    std::fflush(out);
}

} // namespace bench
