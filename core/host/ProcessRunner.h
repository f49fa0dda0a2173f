// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace orvane::host {

// Starts a program and waits for it without a time limit (the generated build script);
// and shows a text file to the user, waiting until it is dismissed (the assembler report).
class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;
    // Exit status of the program, or -1 when it could not be started.
    virtual int Run(const std::vector<std::string>& argv) = 0;
    virtual void ShowReport(const std::string& path) = 0;
};

}  // namespace orvane::host
