#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/commands/CommandFile.h"
#include "core/device/ComPortMap.h"
#include "core/device/SerialStack.h"
#include "core/host/MemorySettings.h"
#include "core/platform/SteadyClock.h"
#include "tests/support/FakeTimers.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SimProcess.h"

namespace orvane::test {

// The PC's side of a line to a running virtual controller that knows `commandsPath`, with the
// same command table loaded here; COM1 is its pseudo-terminal.
struct SimLine {
    explicit SimLine(const std::string& commandsPath)
        : sim(std::make_unique<SimProcess>(ORVANE_SIM_BIN, std::vector<std::string>{"--commands", commandsPath})) {
        settings.WriteString(device::ComPortMap::OverrideKey(1), sim->SlavePath());
        commands::CommandFile::ReadFile(commandsPath, commands, nullptr);
    }
    // Opens the port at 115200 and enters commands mode; false when the controller does not.
    bool Start() {
        if (!serial.OpenPort(0) || !serial.SetBaud(115200, 0)) return false;
        const std::uint8_t toKomendy = 0xFE;
        serial.WriteBytes(&toKomendy, 1, 0);
        return serial.ReadByteTimeout(0, 2) == 0xFE;
    }
    // What crossed the line, once the controller has stopped (and so written all of its log).
    Traffic StopAndTraffic() {
        serial.ClosePort(0);
        sim->Stop();
        return sim->Traffic();
    }

    std::unique_ptr<SimProcess> sim;
    host::MemorySettings settings;
    platform::SteadyClock clock;
    ScriptedPrompts prompts;
    FakeTimers timers;
    device::SerialStack stack{settings, clock, prompts, timers};
    device::CSerialCtrl& serial = stack.Serial();
    commands::CommandTable commands;
};

}  // namespace orvane::test
