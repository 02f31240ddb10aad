#pragma once
// Runs a program to its end and reports its wall-clock time and its peak memory.

#include <QString>
#include <QStringList>

namespace bench {

struct ProcessRequest {
    QStringList arguments;   // the program first
    QStringList environment; // "NAME=value" added to the inherited environment
    QString input;           // file for standard input; empty: /dev/null
    QString output;          // file for standard output; empty: /dev/null
    QString errors;          // file for standard error; empty: /dev/null
};

struct ProcessResult {
    bool started = false;
    int exitCode = -1; // -1 when the process did not end normally
    double wallMs = 0;
    double cpuMs = 0;  // user and system time of the process
    qint64 peakKb = 0; // the process's peak resident memory
    QString error;     // why it could not be started
};

// Runs it through lumira-bench-run (beside this executable), which reports the figures.
ProcessResult runProcess(const ProcessRequest& request);

} // namespace bench
