#pragma once
// The benchmark's one table: task, N, our figure, the tool's figure and their ratio.

#include <QString>
#include <QVector>
#include <cstdio>

namespace bench {

struct ResultRow {
    QString task; // names its unit: "(ms)" or "(MB)"
    qint64 rows = 0;
    double ours = -1; // negative: not measured
    double tool = -1;
    QString note;         // why a figure is missing
    double oursWall = -1; // timing rows: our wall-clock time beside the CPU time
    QString goal;         // what the figure must meet, when there is a goal
};

class ResultTable {
public:
    // Adds a row and shows it at once on standard error, so a long run shows its progress.
    void add(const ResultRow& row);
    // The whole table in Markdown, ready for the README.
    void print(std::FILE* out) const;
    bool anyFailed() const { return failed_; }

private:
    QVector<ResultRow> rows_;
    bool failed_ = false;
};

} // namespace bench
