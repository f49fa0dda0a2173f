#pragma once
#include <chrono>
#include <cstdint>
#include <string>
#include <sys/wait.h>

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

}  // namespace orvane::test
