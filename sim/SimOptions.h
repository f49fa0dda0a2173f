// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "sim/FaultPlan.h"

namespace orvane::sim {

// The command line of orvane-sim.
struct SimOptions {
    std::string commandsPath;  // empty: the Komendy.ini that ships with the program
    int baud = 115200;
    std::string flashPath;     // loaded at start (if present) and saved at the end
    std::string logPath;
    std::string linkPath;
    std::string version = "31";
    std::uint8_t p1 = 0xFF;
    std::uint8_t p2 = 0x00;
    FaultPlan faults;
    bool help = false;

    // Parses the arguments after the program name; false with the reason (UTF-8).
    static bool Parse(const std::vector<std::string>& args, SimOptions& options, std::string& error);
    static std::string Usage();
};

}  // namespace orvane::sim
