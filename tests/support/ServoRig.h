// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <stdexcept>
#include <string>

#include "core/commands/CommandFile.h"
#include "core/tools/ServoLink.h"
#include "tests/support/DeviceRig.h"
#include "tests/support/ServoBoard.h"

namespace orvane::test {

// The servo dialogs' link over a scripted wire to a ServoBoard, with the command table that
// ships with the program (ServoSet 'S', ServoRead 'R', unit scaling).
struct ServoRig : DeviceRig {
    ServoRig() { commands::CommandFile::ReadFile(std::string(ORVANE_DATA_DIR) + "/Komendy.ini", commands, nullptr); }
    // The shipped definition, changed by a test.
    commands::CommandDef& Command(const std::string& name) {
        for (auto& def : commands.NewestFirst()) {
            if (def.name == name) return def;
        }
        throw std::runtime_error("no command " + name);
    }

    ServoBoard board{*wire};
    commands::CommandTable commands;
    tools::ServoLink servoLink{serial, commands, settings, prompts};
    device::PortLoan loan{0, 115200};
};

}  // namespace orvane::test
