// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "core/host/ProcessRunner.h"

namespace orvane::platform {

// Runs programs with posix_spawn: the arguments reach the program as they are, no shell ever
// sees them, so a file name cannot smuggle in a command. Arguments and paths are CP1250 like
// all core text and are handed to the system as UTF-8. The report is copied to a stream (the
// terminal for the CLI); the window shows it in a report window instead.
class PosixProcessRunner : public host::ProcessRunner {
public:
    explicit PosixProcessRunner(std::ostream& reportOut);

    // A program name without "/" is looked up in PATH. Exit status, 128 + the signal number
    // when a signal ended it, -1 when it could not be started.
    int Run(const std::vector<std::string>& argv) override;
    // Copies the file to the report stream; a file that cannot be read is said so there.
    void ShowReport(const std::string& path) override;

private:
    std::ostream& reportOut_;
};

}  // namespace orvane::platform
