// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "core/platform/TimerQueue.h"

namespace orvane::cli {

// What drives a script run on a terminal in place of the window's message loop: the run's
// timers coming due on the real clock, the lines typed on standard input (in step mode) and
// Ctrl+C. While it lives it owns SIGINT: the first Ctrl+C is reported as an event (the run is
// stopped cleanly), a second one ends the program at once.
class RunEventLoop {
public:
    enum class Event { Timers, Line, EndOfInput, Interrupt };

    explicit RunEventLoop(std::FILE* in);
    ~RunEventLoop();
    RunEventLoop(const RunEventLoop&) = delete;
    RunEventLoop& operator=(const RunEventLoop&) = delete;

    platform::TimerQueue& Timers() { return timers_; }
    static std::int64_t NowUs();

    // Sleeps until the earliest timer is due, a line can be read (only when `readInput`) or
    // Ctrl+C came; due timers are fired through `handler`. A Ctrl+C is reported once.
    Event Wait(bool readInput, const std::function<void(int id)>& handler, std::string& line);

private:
    bool ReadLine(std::string& line);

    std::FILE* in_;
    platform::TimerQueue timers_{&RunEventLoop::NowUs};
    int oldSlack_ = -1;
    bool interruptReported_ = false;
};

}  // namespace orvane::cli
