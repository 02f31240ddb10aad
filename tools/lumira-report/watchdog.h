#pragma once
// Ends the whole process with a message when the work it guards runs past its limit: a
// template or a query must never keep a script waiting.

#include <QString>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace lumirareport {

class Watchdog {
public:
    // After `seconds` the message goes to stderr and the process exits with `exitCode`,
    // unless the watchdog has been destroyed before.
    Watchdog(int seconds, const QString& message, int exitCode);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::thread thread_;
};

} // namespace lumirareport
