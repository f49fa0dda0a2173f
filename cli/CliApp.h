// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace orvane::cli {

// orvane-cli from its arguments to its exit status.
class CliApp {
public:
    static int Main(int argc, char** argv);
    // The same over given arguments (without the program name) and streams.
    static int Run(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, std::FILE* in);
};

}  // namespace orvane::cli
