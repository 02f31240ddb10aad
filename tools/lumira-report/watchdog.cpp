#include "tools/lumira-report/watchdog.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace lumirareport {

Watchdog::Watchdog(int seconds, const QString& message, int exitCode) {
    // Converted now: the timer thread must not touch Qt while the main thread works.
    const QByteArray text = message.toLocal8Bit() + '\n';
    thread_ = std::thread([this, seconds, text, exitCode] {
        std::unique_lock<std::mutex> lock(mutex_);
        if (finished_.wait_for(lock, std::chrono::seconds(seconds), [this] { return done_; }))
            return;
        std::fputs(text.constData(), stderr);
        std::fflush(stderr);
        // The report may be stuck anywhere; no clean-up can be trusted to finish. An unfinished
        // PDF never replaces the target file (it is written to a temporary one first).
        std::_Exit(exitCode);
    });
}

Watchdog::~Watchdog() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    finished_.notify_one();
    thread_.join();
}

} // namespace lumirareport
