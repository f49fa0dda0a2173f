// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <cstdint>
#include <cerrno>
#include <string>
#include <sys/wait.h>
#include <thread>

#include "core/platform/AtomicFile.h"

namespace orvane::test {

// What the launchers of orvane-cli and orvane-sim share.
inline std::int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The whole file, empty when it is missing (a child that wrote nothing).
inline std::string ReadWhole(const std::string& path) {
    std::string bytes;
    platform::AtomicFile::Read(path, bytes);
    return bytes;
}

// A waited-for child's exit status: its code, or 128 + the signal that ended it.
inline int ExitCodeOf(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

// Waits up to `timeoutMs` for the child `pid` to end; true when it did, with its raw wait
// `status`, or with -1 when it cannot be waited for (already reaped).
inline bool WaitChild(pid_t pid, int timeoutMs, int& status) {
    const std::int64_t deadline = NowMs() + timeoutMs;
    for (;;) {
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid) return true;
        if (r < 0 && errno != EINTR) return status = -1, true;
        if (NowMs() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace orvane::test
