#include <gtest/gtest.h>

#include "core/host/EditorText.h"
#include "core/script/ScriptContext.h"
#include "core/script/ScriptEngine.h"
#include "tests/support/SimLine.h"

namespace orvane::test {
namespace {

const std::string kCommands = std::string(ORVANE_DATA_DIR) + "/Komendy.ini";

// A script run's device side against the virtual controller, switched to commands mode.
struct SimScript : SimLine {
    SimScript() : SimLine(kCommands) {}
    script::CommandExecutor& Executor() { return engine.Executor(); }

    host::TextBuffer text{"x;"};
    script::StatementReader reader{text};
    script::VariableTable variables;
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
