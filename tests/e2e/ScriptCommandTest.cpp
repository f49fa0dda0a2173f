#include <gtest/gtest.h>

#include "core/commands/CommandFile.h"
#include "core/device/ComPortMap.h"
#include "core/device/SerialStack.h"
#include "core/platform/SteadyClock.h"
#include "core/host/EditorText.h"
#include "core/host/MemorySettings.h"
#include "core/script/ScriptContext.h"
#include "core/script/ScriptEngine.h"
#include "tests/support/FakeTimers.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SimProcess.h"

namespace orvane::test {
namespace {

const std::string kCommands = std::string(ORVANE_DATA_DIR) + "/Komendy.ini";

// A script run's device side against the virtual controller, switched to commands mode.
struct SimScript {
    SimScript() : sim(std::make_unique<SimProcess>(ORVANE_SIM_BIN, std::vector<std::string>{"--commands", kCommands})) {
        settings.WriteString(device::ComPortMap::OverrideKey(1), sim->SlavePath());
        commands::CommandFile::ReadFile(kCommands, commands, nullptr);
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
    script::CommandExecutor& Executor() { return engine.Executor(); }

    std::unique_ptr<SimProcess> sim;
    host::MemorySettings settings;
    platform::SteadyClock clock;
    ScriptedPrompts prompts;
    FakeTimers timers;
    device::SerialStack stack{settings, clock, prompts, timers};
    device::CSerialCtrl& serial = stack.Serial();
    host::TextBuffer text{"x;"};
    script::StatementReader reader{text};
    script::VariableTable variables;
    commands::CommandTable commands;
    script::ScriptContext context{reader, variables, commands, serial, prompts, 0};
    script::ScriptEngine engine{context};
};

const Traffic kEnterKomendy = Exchange({0xFE}, {0xFE});

TEST(ScriptCommandE2E, CommandsAndCommandsInsideArgumentsByteForByte) {
    SimScript run;
    ASSERT_TRUE(run.Start());
    // Servo 1 rests at 1500 us; its reading in degrees is (1500 - 1000) * 9 / 50 = 90.
    EXPECT_EQ(run.Executor().ExecuteCommand("ServoSetS(3,0,0,0,ServoReadS(1)-18);"), 0);
    EXPECT_DOUBLE_EQ(run.engine.Evaluator().EvaluateExpression("ServoRead(3)"), 1400);
    EXPECT_EQ(run.Executor().ExecuteCommand("ServoSet(1,0,0,0,1500);"), 0);
    EXPECT_EQ(run.Executor().ExecuteCommand("ServoSetS(2,0,0,0,90);"), 0);
    EXPECT_DOUBLE_EQ(run.engine.Evaluator().EvaluateExpression("ServoRead(2)"), 1500);
    EXPECT_TRUE(run.prompts.Boxes().empty());

    // 72 degrees: 72 * 50 / 9 + 1000 = 1400 = 0x0578, each argument command sent once; then
    // 0x53 + 1 + 0x05 + 0xDC = 0x35 modulo 256, and 90 degrees scale to 1500 as well.
    EXPECT_EQ(run.StopAndTraffic(), kEnterKomendy + Exchange({'r', 1}, {'s'}) + Exchange({0x01}, {0x01, 0x05, 0xDC}) +
                                        Exchange({'s', 3, 0, 0, 0, 0x05, 0x78}, {0xF3}) + Exchange({0x01}, {0x01}) +
                                        Exchange({'R', 3}, {0x55}) + Exchange({0x01}, {0x01, 0x05, 0x78}) +
                                        Exchange({'S', 1, 0, 0, 0, 0x05, 0xDC}, {0x35}) + Exchange({0x01}, {0x01}) +
                                        Exchange({'s', 2, 0, 0, 0, 0x05, 0xDC}, {0x56}) + Exchange({0x01}, {0x01}) +
                                        Exchange({'R', 2}, {0x54}) + Exchange({0x01}, {0x01, 0x05, 0xDC}));
}

}  // namespace
}  // namespace orvane::test
