#pragma once
// The sqlite3 command-line tool running the same SQL on the same file, timed as a process.

#include <QString>

namespace bench {

struct ToolTime {
    bool ok = false;
    double ms = 0;     // CPU time (user and system)
    double wallMs = 0; // wall-clock time
    qint64 peakKb = 0; // the tool process's peak resident memory
    QString error;
};

class SqliteTool {
public:
    SqliteTool(const QString& program, const QString& database, const QString& workDir);

    // CPU time of one run of the script (SQL and dot commands, in the tool's dialect), median
    // of `reps`. Each timed process runs the script as many times as it takes to outweigh the
    // tool's start; the time of the same process without the script is subtracted.
    ToolTime time(const QString& script, int reps);
    // Times of the whole process running the script once, start included.
    ToolTime timeProcess(const QString& script, int reps);

private:
    QString program_;
    QString database_;
    QString workDir_;
    double baselineMs_ = -1;

    ToolTime run(const QString& script);
    double baseline(int reps);
};

// The median of a list of values (0 for an empty list).
double median(QVector<double> values);

} // namespace bench
