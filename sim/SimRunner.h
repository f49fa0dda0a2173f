// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "sim/SimOptions.h"

namespace orvane::sim {

// One run of orvane-sim: load the command definitions and the flash image, put the controller
// on a pseudo-terminal, name it on stdout, serve until stopped, save the flash image.
class SimRunner {
public:
    explicit SimRunner(SimOptions options) : options_(std::move(options)) {}
    // The process exit code: 0 after an orderly stop (or the hang-up fault), 1 when the line
    // failed or the flash image could not be saved, 2 when the simulator could not start.
    int Run();

    // The Komendy.ini that ships with the program: the data folder of the build, else the one
    // installed beside the executable.
    static std::string DefaultCommandsPath();

private:
    int Fail(const std::string& message, int code);

    SimOptions options_;
};

}  // namespace orvane::sim
