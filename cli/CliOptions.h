// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvane::cli {

// The command line: orvane-cli [--port COMn|PATH] [--baud TEXT] [--commands FILE]
// [--setting KEY=VALUE]... [--yes|--no] [--verify] COMMAND [ARGUMENTS]. The options may stand
// anywhere; everything else is the command and its arguments. All text as given (UTF-8).
struct CliOptions {
    std::optional<int> comNumber;        // --port COMn
    std::optional<std::string> portPath; // --port PATH (becomes COM1 for this run)
    std::optional<std::string> baudText; // one of the nine speed texts
    std::optional<std::string> commandsFile;
    std::vector<std::pair<std::string, std::string>> settings;  // --setting, in order
    std::optional<bool> answer;          // --yes / --no
    bool verify = false;
    bool help = false;
    std::string command;
    std::vector<std::string> arguments;

    // False with the reason (UTF-8) when the line cannot be understood.
    static bool Parse(const std::vector<std::string>& args, CliOptions& options, std::string& error);
    static std::string Usage();
};

}  // namespace orvane::cli
