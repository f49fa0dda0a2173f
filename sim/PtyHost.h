// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <cstdint>
#include <deque>
#include <string>

#include "sim/TrafficLog.h"
#include "sim/VirtualController.h"

namespace orvane::sim {

// Puts a VirtualController on a pseudo-terminal: the PC opens the slave side as its serial
// port, the controller hears the master side. The host keeps a descriptor of the slave open
// itself, so the PC closing and reopening the port never hangs up the master.
class PtyHost {
public:
    enum class End { Stopped, HungUp, Failed };

    PtyHost(VirtualController& controller, TrafficLog& log);
    ~PtyHost();  // closes the line and removes the link
    PtyHost(const PtyHost&) = delete;
    PtyHost& operator=(const PtyHost&) = delete;

    // Creates the pseudo-terminal, raw, at `baud`; false with the reason (UTF-8).
    bool Open(int baud, std::string& error);
    const std::string& SlavePath() const { return slavePath_; }
    // A symbolic link to the slave; a stale link is replaced, anything else is left alone.
    bool Link(const std::string& path, std::string& error);

    // Serves the line until `stopFd` becomes readable, the hang-up fault closes the line, or
    // the line fails. `why` names the reason for the log.
    End Run(int stopFd, std::string& why);

    // Microseconds since the host was made; the log's time stamps.
    std::int64_t Micros() const;

private:
    std::int64_t Millis() const { return Micros() / 1000; }
    bool ReadLine(std::string& why);
    void Hear(std::uint8_t byte, int pcBaud);
    void CollectReplies();
    void WritePending();
    void LingerUntilRead();
    void Close();
    int PollTimeoutMs() const;

    VirtualController& controller_;
    TrafficLog& log_;
    std::chrono::steady_clock::time_point start_;
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::string linkPath_;
    std::deque<OutByte> unsent_;     // replies due but not yet taken by the line
    std::int64_t stuckSinceMs_ = -1; // the line stopped taking bytes at this time
};

}  // namespace orvane::sim
