// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace orvane::soak {

// A window that never returns to its event loop stops the soak's own timers too, so only a
// thread beside it can notice. When the soak outlives its time by `grace`, this prints the last
// actions from the log file and every thread's stack (through gdb, where installed), then ends
// the process with a failure instead of leaving it to the test runner's timeout, which tells
// nothing.
class SoakWatchdog {
public:
    SoakWatchdog(QString logPath, std::chrono::seconds limit);
    ~SoakWatchdog();
    SoakWatchdog(const SoakWatchdog&) = delete;
    SoakWatchdog& operator=(const SoakWatchdog&) = delete;

private:
    void Watch(std::chrono::seconds limit);
    void Bite(std::chrono::seconds limit) const;

    QString logPath_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool over_ = false;
    std::thread thread_;
};

}  // namespace orvane::soak
