// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace orvane::test {

// Runs orvane-cli for end-to-end tests with a private home and settings folder, so no test
// reads or changes the user's own settings; each run's output and exit status are returned.
class CliProcess {
public:
    struct Result {
        int exitCode = -1;     // 128 + signal when killed
        std::string out;       // standard output
        std::string err;       // standard error
        std::int64_t elapsedMs = 0;
    };

    // A fresh temporary home; removed with the object.
    explicit CliProcess(std::string binary);
    ~CliProcess();
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    // What a user at the terminal does: the text typed on standard input, and a Ctrl+C
    // (SIGINT) sent once standard output holds `interruptOn` (never when empty).
    struct Interaction {
        std::string input;
        std::string interruptOn;
    };
    // Runs with `args` and no terminal on standard input; killed after `timeoutMs`.
    Result Run(const std::vector<std::string>& args, const Interaction& interaction = {},
               int timeoutMs = 60000) const;

    const std::string& Home() const { return home_; }
    // The shared settings file the runs read and write.
    std::string SettingsPath() const { return home_ + "/config/ORVANE/ORVANE.ini"; }

private:
    std::string binary_;
    std::string home_;
};

}  // namespace orvane::test
