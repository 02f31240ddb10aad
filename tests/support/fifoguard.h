#pragma once
// A FIFO for tests of readers that must not wait on one. Should a reader block on it after
// all, a writer opens it after a few seconds, writes a little and closes it, so that the test
// fails on its checks instead of hanging.

#include <QFile>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

class FifoGuard {
public:
    explicit FifoGuard(const QString& path) : path_(QFile::encodeName(path)) {
        made_ = ::mkfifo(path_.constData(), 0644) == 0;
        if (made_)
            watchdog_ = std::thread([this] { watch(); });
    }
    ~FifoGuard() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        if (watchdog_.joinable())
            watchdog_.join();
    }
    FifoGuard(const FifoGuard&) = delete;
    FifoGuard& operator=(const FifoGuard&) = delete;

    bool made() const { return made_; }

private:
    void watch() {
        std::unique_lock<std::mutex> lock(mutex_);
        if (wake_.wait_for(lock, std::chrono::seconds(5), [this] { return done_; }))
            return;
        // A blocked reader counts as one: the open succeeds once it waits.
        while (!done_) {
            const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                (void)!::write(fd, "x", 1);
                ::close(fd);
            }
            wake_.wait_for(lock, std::chrono::milliseconds(100), [this] { return done_; });
        }
    }

    QByteArray path_;
    bool made_ = false;
    bool done_ = false;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::thread watchdog_;
};
