// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "sim/ReplyQueue.h"

namespace orvane::sim {

// The --log file: one line per byte, "SECONDS DIR HEX [mark]", flushed as written so that a test
// or a user can follow it while the simulator runs. Without a path every call does nothing.
class TrafficLog {
public:
    TrafficLog() = default;
    ~TrafficLog();
    TrafficLog(const TrafficLog&) = delete;
    TrafficLog& operator=(const TrafficLog&) = delete;

    // Creates or empties the file; false with the reason (UTF-8).
    bool Open(const std::string& path, std::string& error);

    // `us`: microseconds since the simulator started.
    void Received(std::int64_t us, std::uint8_t byte, bool heard, int pcBaud, int ownBaud);
    void Sent(std::int64_t us, const OutByte& out);
    void LineFull(std::int64_t us, std::uint8_t byte);
    void Note(std::int64_t us, const std::string& text);

private:
    void Line(std::int64_t us, const std::string& rest);

    std::FILE* file_ = nullptr;
};

}  // namespace orvane::sim
