// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

#include "tests/support/Traffic.h"

namespace orvane::test {

// A running virtual controller (orvane-sim) for end-to-end tests: started on construction with
// its traffic log in a private temporary folder, stopped (flash saved) on Stop or destruction.
class SimProcess {
public:
    // Starts the simulator binary with `args` (--log is added), waits up to 5 s for the first
    // stdout line, the slave path. Throws std::runtime_error on failure, with the simulator's
    // own error output in the message.
    SimProcess(const std::string& binary, std::vector<std::string> args);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& SlavePath() const { return slavePath_; }
    // SIGTERM, then waits for the exit (up to 5 s, then SIGKILL). Safe to call twice.
    void Stop();
    // Waits up to `timeoutMs` for the simulator to end by itself (a hang-up fault); true if it did.
    bool WaitExit(int timeoutMs);
    // The exit status after Stop or WaitExit (-1 while running, 128 + signal when killed).
    int ExitCode() const { return exitCode_; }

    // Waits up to `timeoutMs` until the simulator has heard `count` bytes; how many it heard.
    std::size_t WaitHeard(std::size_t count, int timeoutMs = 2000) const;

    std::string Log() const;
    // The log's bytes in order, leaving out those marked ignored or dropped: what actually
    // crossed the line and was heard.
    test::Traffic Traffic() const;

private:
    static test::Traffic ParseTraffic(const std::string& log);
    void Reap(int status);

    std::string folder_;
    std::string logPath_;
    std::string errPath_;
    std::string slavePath_;
    pid_t pid_ = -1;
    int exitCode_ = -1;
};

}  // namespace orvane::test
