#include "bench/process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace bench {

namespace {

// argv/envp storage that outlives the spawn call.
class CStrings {
public:
    explicit CStrings(const QStringList& strings) {
        for (const QString& s : strings)
            bytes_.push_back(QFile::encodeName(s));
        for (QByteArray& b : bytes_)
            pointers_.push_back(b.data());
        pointers_.push_back(nullptr);
    }
    char** get() { return pointers_.data(); }

private:
    std::vector<QByteArray> bytes_;
    std::vector<char*> pointers_;
};

QStringList inheritedEnvironment(const QStringList& extra) {
    QStringList all = extra;
    for (char** entry = environ; *entry; ++entry) {
        const QString text = QString::fromLocal8Bit(*entry);
        const QString name = text.section(u'=', 0, 0) + u'=';
        bool overridden = false;
        for (const QString& e : extra)
            overridden = overridden || e.startsWith(name);
        if (!overridden)
            all << text;
    }
    return all;
}

void redirect(posix_spawn_file_actions_t* actions, int fd, const QString& path, int flags) {
    const QByteArray name = path.isEmpty() ? QByteArray("/dev/null") : QFile::encodeName(path);
    posix_spawn_file_actions_addopen(actions, fd, name.constData(), flags, 0644);
}

} // namespace

ProcessResult runProcess(const ProcessRequest& request) {
    ProcessResult result;
    QTemporaryFile stats;
    if (!stats.open()) {
        result.error = stats.errorString();
        return result;
    }
    CStrings argv(
        QStringList{QCoreApplication::applicationDirPath() + QStringLiteral("/lumira-bench-run"),
                    stats.fileName()} +
        request.arguments);
    CStrings envp(inheritedEnvironment(request.environment));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    redirect(&actions, 0, request.input, O_RDONLY);
    redirect(&actions, 1, request.output, O_WRONLY | O_CREAT | O_TRUNC);
    redirect(&actions, 2, request.errors, O_WRONLY | O_CREAT | O_TRUNC);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv.get()[0], &actions, nullptr, argv.get(), envp.get());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        result.error = QString::fromLocal8Bit(std::strerror(failed));
        return result;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.wallMs = double(timer.nsecsElapsed()) / 1e6;
    const QList<QByteArray> figures = stats.readAll().trimmed().split(' ');
    result.started = figures.size() == 2;
    result.peakKb = figures.value(0).toLongLong();
    result.cpuMs = figures.value(1).toDouble() / 1000.0;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (!result.started)
        result.error = QStringLiteral("lumira-bench-run failed");
    return result;
}

} // namespace bench
