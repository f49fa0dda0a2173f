// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace orvane::cli {

class CliSession;

// One command of orvane-cli. Each command lives in its own file and registers itself there:
//   static const CliCommand::Registrar kMode{{"mode", "mode", "...", 0, 0, &RunMode}};
// so a new command is a new file in cli/ and nothing else changes.
struct CliCommand {
    static constexpr int kOk = 0;
    static constexpr int kFailed = 1;  // the reason was printed (a box or a message)
    static constexpr int kUsage = 2;

    const char* name;
    const char* usage;    // the command's synopsis (UTF-8)
    const char* summary;  // one line on what it does (UTF-8)
    int minArguments;
    int maxArguments;     // -1: no limit
    int (*run)(CliSession& session, const std::vector<std::string>& arguments);

    // True when `word` is one of the options the synopsis names ("[--flash]"): a command takes
    // the options its usage shows and no other, so the help never lies about them.
    bool TakesOption(std::string_view word) const;
    // A word that is written as an option ("--x", "-x"); "-" alone and "-5" are plain words.
    static bool IsOption(std::string_view word);

    struct Registrar {
        explicit Registrar(const CliCommand& command);
    };

    static const CliCommand* Find(std::string_view name);
    // Every registered command, by name.
    static std::vector<const CliCommand*> All();
};

}  // namespace orvane::cli
