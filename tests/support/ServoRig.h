#pragma once
#include <memory>
#include <stdexcept>
#include <string>

#include "core/commands/CommandFile.h"
#include "core/device/SerialCtrl.h"
#include "core/host/MemorySettings.h"
#include "core/tools/ServoLink.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPort.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/ServoBoard.h"

namespace orvane::test {

// The servo dialogs' link over a scripted wire to a ServoBoard, with the command table that
// ships with the program (ServoSet 'S', ServoRead 'R', unit scaling).
struct ServoRig {
    ServoRig() {
        wire->clock = &clock;
        commands::CommandFile::ReadFile(std::string(ORVANE_DATA_DIR) + "/Komendy.ini", commands, nullptr);
    }
    // The shipped definition, changed by a test.
    commands::CommandDef& Command(const std::string& name) {
        for (auto& def : commands.NewestFirst()) {
            if (def.name == name) return def;
        }
        throw std::runtime_error("no command " + name);
    }

    FakeClock clock;
    std::shared_ptr<Wire> wire = std::make_shared<Wire>();
    ServoBoard board{*wire};
    ScriptedOpener opener{wire};
    ScriptedPrompts prompts;
    host::MemorySettings settings;
    device::CSerialCtrl serial{opener, clock, prompts};
    commands::CommandTable commands;
    tools::ServoLink link{serial, commands, settings, prompts};
    device::PortLoan loan{0, 115200};
};

}  // namespace orvane::test
