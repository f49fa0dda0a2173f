#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "core/commands/CommandFile.h"
#include "core/device/ComPortMap.h"
#include "core/device/PosixPortOpener.h"
#include "core/device/SerialCtrl.h"
#include "core/host/Clock.h"
#include "core/host/EditorText.h"
#include "core/host/MemorySettings.h"
#include "core/script/ScriptContext.h"
#include "core/script/ScriptEngine.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SimProcess.h"

namespace orvane::test {
namespace {

using Traffic = std::vector<std::pair<char, std::uint8_t>>;

const std::string kCommands = std::string(ORVANE_DATA_DIR) + "/Komendy.ini";

// Traffic as written by the PC ('R', received by the controller) and answered ('T').
Traffic Pc(std::vector<std::uint8_t> bytes) {
    Traffic t;
    for (const auto b : bytes) t.emplace_back('R', b);
    return t;
}
Traffic Controller(std::vector<std::uint8_t> bytes) {
    Traffic t;
    for (const auto b : bytes) t.emplace_back('T', b);
    return t;
}
Traffic operator+(Traffic a, const Traffic& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A script run's device side against the virtual controller, switched to commands mode.
class SimScript {
public:
    explicit SimScript(std::vector<std::string> simArgs = {}, std::string script = "x;")
        : text_(std::move(script)) {
        simArgs.insert(simArgs.begin(), {"--commands", kCommands});
        sim_ = std::make_unique<SimProcess>(ORVANE_SIM_BIN, std::move(simArgs));
        settings_.WriteString(device::ComPortMap::OverrideKey(1), sim_->SlavePath());
        std::vector<std::string> warnings;
        commands::CommandFile::ReadFile(kCommands, commands_, &warnings);
    }

    // Opens the port at 115200 and enters commands mode; false when the controller does not.
    bool Start() {
        if (serial_.OpenPort(0) != 1 || serial_.SetBaud(115200, 0) != 1) return false;
        const std::uint8_t toKomendy = 0xFE;
        serial_.WriteBytes(&toKomendy, 1, 0);
        return serial_.ReadByteTimeout(0, 2) == 0xFE;
    }

    // What crossed the line, once the controller has stopped (and so written all of its log).
    Traffic StopAndTraffic() {
        serial_.ClosePort(0);
        sim_->Stop();
        return sim_->Traffic();
    }

    script::CommandExecutor& Executor() { return engine_.Executor(); }
    script::ExpressionEvaluator& Evaluator() { return engine_.Evaluator(); }
    ScriptedPrompts& Prompts() { return prompts_; }
    script::StatementReader& Reader() { return reader_; }
    const script::ScriptContext& Context() const { return context_; }

private:
    std::unique_ptr<SimProcess> sim_;
    host::MemorySettings settings_;
    device::PosixPortOpener opener_{settings_};
    host::SteadyClock clock_;
    ScriptedPrompts prompts_;
    device::CSerialCtrl serial_{opener_, clock_, prompts_};
    host::TextBuffer text_;
    script::StatementReader reader_{text_};
    script::VariableTable variables_;
    commands::CommandTable commands_;
    script::ScriptContext context_{reader_, variables_, commands_, serial_, prompts_, 0};
    script::ScriptEngine engine_{context_};
};

const Traffic kEnterKomendy = Pc({0xFE}) + Controller({0xFE});

TEST(ScriptCommandE2E, ServoSetThenServoReadByteForByte) {
    SimScript run;
    ASSERT_TRUE(run.Start());
    EXPECT_EQ(run.Executor().ExecuteCommand("ServoSet(1,0,0,0,1500);"), 0);
    EXPECT_EQ(run.Executor().ExecuteCommand("ServoSetS(2,0,0,0,90);"), 0);
    EXPECT_DOUBLE_EQ(run.Evaluator().EvaluateExpression("ServoRead(2)"), 1500);
    EXPECT_TRUE(run.Prompts().Boxes().empty());

    // 0x53 + 1 + 0x05 + 0xDC = 0x35 modulo 256; 90 degrees scale to 90 * 50 / 9 + 1000 = 1500 as well.
    EXPECT_EQ(run.StopAndTraffic(),
              kEnterKomendy + Pc({'S', 1, 0, 0, 0, 0x05, 0xDC}) + Controller({0x35}) + Pc({0x01}) +
                  Controller({0x01}) + Pc({'s', 2, 0, 0, 0, 0x05, 0xDC}) + Controller({0x56}) +
                  Pc({0x01}) + Controller({0x01}) + Pc({'R', 2}) + Controller({0x54}) +
                  Pc({0x01}) + Controller({0x01, 0x05, 0xDC}));
}

TEST(ScriptCommandE2E, CommandInsideAnArgumentIsSentOnce) {
    SimScript run;
    ASSERT_TRUE(run.Start());
    // Servo 1 rests at 1500 us; its reading in degrees is (1500 - 1000) * 9 / 50 = 90.
    EXPECT_EQ(run.Executor().ExecuteCommand("ServoSetS(3,0,0,0,ServoReadS(1)-18);"), 0);
    EXPECT_DOUBLE_EQ(run.Evaluator().EvaluateExpression("ServoRead(3)"), 1400);
    EXPECT_TRUE(run.Prompts().Boxes().empty());

    // 72 degrees: 72 * 50 / 9 + 1000 = 1400 = 0x0578.
    EXPECT_EQ(run.StopAndTraffic(),
              kEnterKomendy + Pc({'r', 1}) + Controller({'s'}) + Pc({0x01}) +
                  Controller({0x01, 0x05, 0xDC}) + Pc({'s', 3, 0, 0, 0, 0x05, 0x78}) +
                  Controller({0xF3}) + Pc({0x01}) + Controller({0x01}) + Pc({'R', 3}) +
                  Controller({0x55}) + Pc({0x01}) + Controller({0x01, 0x05, 0x78}));
}

struct FaultRow {
    const char* fault;
    const char* caption;
    Traffic afterFrame;  // what follows the frame on the line
};

void PrintTo(const FaultRow& row, std::ostream* os) { *os << row.fault; }

class ScriptCommandFaultE2E : public ::testing::TestWithParam<FaultRow> {};

TEST_P(ScriptCommandFaultE2E, NoEndsTheRunAndNothingMoreIsSent) {
    const std::string script = "LedSet(1,1);x=1;";
    SimScript run({"--fault", GetParam().fault}, script);
    ASSERT_TRUE(run.Start());
    run.Prompts().QueueAnswer(host::Answer::No);
    EXPECT_EQ(run.Executor().ExecuteCommand("LedSet(1,1);"), -1);
    EXPECT_EQ(run.Reader().statementStart, static_cast<std::int32_t>(script.size()));
    EXPECT_TRUE(run.Context().stopped);
    ASSERT_EQ(run.Prompts().Boxes().size(), 1u);
    EXPECT_EQ(run.Prompts().Boxes()[0].caption, GetParam().caption);
    EXPECT_EQ(run.Prompts().Boxes()[0].text,
              "Błąd wykonania komendy:  LedSet(1,1);\n\nCzy kontynuować pracę?");
    EXPECT_EQ(run.StopAndTraffic(), kEnterKomendy + Pc({'L', 1, 1}) + GetParam().afterFrame);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ScriptCommandFaultE2E,
    ::testing::Values(
        // The echo of 'L' + 1 + 1 = 0x4E arrives with its bits inverted: no confirmation follows.
        FaultRow{"corrupt-echo", "BŁĄD (WP2)", Controller({0xB1})},
        FaultRow{"bad-ack", "BŁĄD (WP1)", Controller({0x4E}) + Pc({0x01}) + Controller({0x00})}),
    [](const auto& info) {
        std::string name = info.param.fault;
        for (auto& c : name) if (c == '-') c = '_';
        return name;
    });

}  // namespace
}  // namespace orvane::test
