#include "bench/sqlitetool.h"

#include "bench/process.h"

#include <QFile>
#include <QVector>
#include <algorithm>
#include <cmath>

namespace bench {

namespace {

// Each timed process should work at least this long so that its start is small beside it.
constexpr double kTargetMs = 100;
constexpr int kMaxRepeats = 50;
// Opens the file and reads the schema, as every measured script does first.
const QString kOpenOnly = QStringLiteral("SELECT count(*) FROM sqlite_master;\n");

} // namespace

double median(QVector<double> values) {
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

SqliteTool::SqliteTool(const QString& program, const QString& database, const QString& workDir)
    : program_(program), database_(database), workDir_(workDir) {}

ToolTime SqliteTool::run(const QString& script) {
    ToolTime result;
    const QString scriptPath = workDir_ + QStringLiteral("/tool-script.sql");
    const QString errorPath = workDir_ + QStringLiteral("/tool-errors.txt");
    QFile file(scriptPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(script.toUtf8()) < 0 || !file.flush()) {
        result.error = file.errorString();
        return result;
    }
    file.close();
    ProcessRequest request;
    request.arguments = {program_, QStringLiteral("-bail"), QStringLiteral("-batch"), database_};
    request.input = scriptPath;
    request.errors = errorPath;
    const ProcessResult process = runProcess(request);
    if (!process.started || process.exitCode != 0) {
        QFile errors(errorPath);
        result.error = process.started && errors.open(QIODevice::ReadOnly)
                           ? QString::fromUtf8(errors.readAll()).trimmed()
                           : process.error;
        if (result.error.isEmpty())
            result.error = QStringLiteral("exit code %1").arg(process.exitCode);
        return result;
    }
    result.ok = true;
    result.ms = process.cpuMs;
    result.wallMs = process.wallMs;
    result.peakKb = process.peakKb;
    return result;
}

double SqliteTool::baseline(int reps) {
    if (baselineMs_ < 0) {
        QVector<double> times;
        for (int i = 0; i < qMax(reps, 5); ++i)
            times << run(kOpenOnly).ms;
        baselineMs_ = median(times);
    }
    return baselineMs_;
}

ToolTime SqliteTool::time(const QString& script, int reps) {
    const double start = baseline(reps);
    // The first run warms the caches and tells how often to repeat the script.
    ToolTime first = run(kOpenOnly + script);
    if (!first.ok)
        return first;
    const double once = qMax(first.ms - start, 0.05);
    const int repeats = qBound(1, int(std::ceil(kTargetMs / once)), kMaxRepeats);
    QVector<double> times;
    ToolTime result = first;
    for (int i = 0; i < reps; ++i) {
        const ToolTime timed = run(kOpenOnly + script.repeated(repeats));
        if (!timed.ok)
            return timed;
        times << qMax(timed.ms - start, 0.0) / repeats;
        result.peakKb = qMax(result.peakKb, timed.peakKb);
    }
    result.ms = median(times);
    return result;
}

ToolTime SqliteTool::timeProcess(const QString& script, int reps) {
    QVector<double> times;
    QVector<double> wallTimes;
    ToolTime result;
    for (int i = 0; i < reps; ++i) {
        const ToolTime timed = run(script);
        if (!timed.ok)
            return timed;
        times << timed.ms;
        wallTimes << timed.wallMs;
        result.peakKb = qMax(result.peakKb, timed.peakKb);
    }
    result.ok = true;
    result.ms = median(times);
    result.wallMs = median(wallTimes);
    return result;
}

} // namespace bench
