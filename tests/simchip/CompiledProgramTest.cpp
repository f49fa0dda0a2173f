// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "tests/simchip/ChipRun.h"
#include "tests/support/RowName.h"

namespace orvane::test {
namespace {

using simchip::ChipState;
using simchip::FaultKind;

struct ProgramRow {
    const char* name;
    const char* script;
    std::vector<std::pair<const char*, int>> values;  // variable, 16-bit value afterwards
};

class CompiledProgram : public ::testing::TestWithParam<ProgramRow> {};

// Each script runs on the simulated chip to its end; the variables it leaves in SRAM are what
// the script computes. (Precedence, loops, branches and subroutines are compared with the
// interpreter by the differential test; these are what it keeps away from: values compared
// outside 0..65535, Remove, and the firmware's answers.)
TEST_P(CompiledProgram, ComputesWhatTheScriptSays) {
    const RealCompile compile(GetParam().script);
    ASSERT_EQ(compile.result.outcome, compiler::CompileOutcome::Compiled) << compile.Report();
    const ChipRun run(compile);
    ASSERT_EQ(run.state, ChipState::Ended) << (run.fault ? run.fault->message : run.error);
    for (const auto& [variable, value] : GetParam().values) EXPECT_EQ(run.Variable(variable), value) << variable;
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, CompiledProgram,
    ::testing::Values(
        ProgramRow{"WrapAround", "Var: a, b, c, d, e; a = 0 - 1; b = 65535 + 2; c = 300 * 300; d = 5 - 7 + 3; e = 7 / 0;",
                   {{"a", 65535}, {"b", 1}, {"c", 24464}, {"d", 1}, {"e", 65535}}},
        ProgramRow{"UnsignedComparisons",
                   "Var: x, a, b, r0, r1, r2, r3, r4, r5, r6, r7, r8; x = 0 - 1; if (x > 1) r0 = 1;"
                   "a = 5; b = 7; if (a < b) r1 = 1; if (a <= b) r2 = 1; if (a == b) r3 = 1;"
                   "if (a >= b) r4 = 1; if (a != b) r5 = 1; a = 7; if (a < b) r6 = 1; if (a <= b) r7 = 1; if (a > b) r8 = 1;",
                   {{"r0", 1}, {"r1", 1}, {"r2", 1}, {"r3", 0}, {"r4", 0}, {"r5", 1}, {"r6", 0}, {"r7", 1}, {"r8", 0}}},
        ProgramRow{"RemoveClears", "Var: x, y; x = 4; y = 5; Remove(x); Var: x; x = x + 1; Remove(); ",
                   {{"x", 0}, {"y", 0}}},
        // The board answers: a servo reads back where it was sent (in µs, however it was set), an
        // unset one at rest; an output reads back as set.
        ProgramRow{"BoardAnswers",
                   "Var: a, b, c, d; ServoSet(2, 0, 0, 0, 1234); a = ServoRead(2); b = ServoRead(9);"
                   "ServoSetS(5, 0, 0, 0, 90); c = ServoRead(5); DigitalSet(3, 1); d = DigitalGetAll();",
                   {{"a", 1234}, {"b", 1500}, {"c", 1500}, {"d", 8}}}),
    RowName<&ProgramRow::name>{});

TEST(CompiledProgram, ScaledArgumentsReachTheFirmware) {
    const RealCompile compile(
        "Var: d; d = 90;\n"
        "ServoSetS(3, 0, 7, 0, 90);\n"      // literal: 90 * 50 / 9 + 1000 = 1500
        "ServoSetS(d - 86, 1, 2, 3, d);\n"  // the same scaling done by the program
        "LedFlash(2, 1000);\n"              // 1000 / 10
        "LedFlash(1, d * 20);\n"            // 1800 / 10 by the program
        "Wait(300);\n");
    ASSERT_EQ(compile.result.outcome, compiler::CompileOutcome::Compiled) << compile.Report();
    const ChipRun run(compile);
    ASSERT_EQ(run.state, ChipState::Ended);
    std::vector<std::string> calls;  // the arithmetic the scaling called aside
    for (const auto& call : run.calls)
        if (call.routine != "Pomnoz" && call.routine != "Podziel") calls.push_back(call.Text().substr(call.Text().find("ms ") + 3));
    EXPECT_EQ(calls, (std::vector<std::string>{"ServoS(3, 0, 7, 0, 1500)", "ServoS(4, 1, 2, 3, 1500)", "LEDF(2, 100)",
                                               "LEDF(1, 180)", "WaitS(300)"}));
}

struct BadRow {
    const char* name;
    const char* script;
    FaultKind kind;
    const char* label;  // the script's label the fault lies under
};

class BadProgram : public ::testing::TestWithParam<BadRow> {};

// A program gone wrong stops with a message naming the fault, the address and the label, and
// never hangs the simulation: each run has a second of simulated time to go wrong in.
TEST_P(BadProgram, StopsWithTheFaultItsAddressAndItsLabel) {
    const RealCompile compile(GetParam().script);
    ASSERT_EQ(compile.result.outcome, compiler::CompileOutcome::Compiled) << compile.Report();
    const ChipRun run(compile, 1000);
    ASSERT_EQ(run.state, ChipState::Faulted);
    EXPECT_EQ(run.fault->kind, GetParam().kind) << run.fault->message;
    EXPECT_EQ(run.fault->label, GetParam().label);
    char address[16];
    std::snprintf(address, sizeof address, "0x%04X", run.fault->address);
    EXPECT_NE(run.fault->message.find(address), std::string::npos) << run.fault->message;
    EXPECT_NE(run.fault->message.find(std::string("(po etykiecie ") + GetParam().label + ")"), std::string::npos)
        << run.fault->message;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BadProgram,
    ::testing::Values(
        BadRow{"RunsOffTheEnd", "Var: a; a = 1;\nDalej:\nasm:\n  rjmp 0x0500\n", FaultKind::RanOffEnd, "Dalej"},
        BadRow{"JumpsIntoTheSystem", "Start:\nasm:\n  rjmp 0x0100\n", FaultKind::JumpIntoSystem, "Start"},
        BadRow{"CallsTheMissingEntry", "Var: a;\nGora:\na = 2;\nasm:\n  rcall 0x036C\n", FaultKind::JumpIntoSystem, "Gora"},
        BadRow{"RecursesIntoItsVariables", "Main:\nVar: a, b, c;\na = a + 1;\nCall(Main);", FaultKind::StackIntoVariables,
               "Main"},
        BadRow{"ExecutesAnInvalidOpcode", "Var: a;\nZle:\nasm:\n  .dw 0x0001\n", FaultKind::InvalidOpcode, "Zle"},
        BadRow{"SetsServoSeventeen", "Ruch:\nServoSet(17, 0, 0, 0, 1500);", FaultKind::ServoOutOfRange, "Ruch"},
        BadRow{"ReadsServoZero", "Var: a;\nCzytaj:\na = ServoRead(0);", FaultKind::ServoOutOfRange, "Czytaj"}),
    RowName<&BadRow::name>{});

// Time on the chip: waits and servo travel pass in simulated time, a read of the serial line
// waits for its byte, and what the program sends goes out.
TEST(CompiledProgram, WaitsAndServoTravelTakeSimulatedTime) {
    const RealCompile compile(
        "Var: b;\nServoSet(1, 0, 0, 0, 1000);\nServoSet(1, 10, 0, 0, 1100);\nWait(250);\n"
        "b = RsGet(); RsSend(b + 1); RsSend2(258);\n");
    ASSERT_EQ(compile.result.outcome, compiler::CompileOutcome::Compiled) << compile.Report();
    const ChipRun run(compile, 1000, "A");
    ASSERT_EQ(run.state, ChipState::Ended);
    ASSERT_EQ(run.moves.size(), 2u);
    EXPECT_EQ(run.moves[1].from, 1000u);
    EXPECT_EQ(run.moves[1].arrivalUs - run.moves[1].startUs, 10 * simchip::BoardState::kFrameUs);
    EXPECT_EQ(run.moves[1].PositionAt(run.moves[1].startUs + 5 * simchip::BoardState::kFrameUs), 1050u);
    EXPECT_EQ(run.calls.back().timeUs / 1000, 250) << "the sends come after the wait";
    EXPECT_EQ(run.sent, std::string("B\x01\x02"));

    const ChipRun silent(compile, 1000);
    EXPECT_EQ(silent.state, ChipState::Running) << "a read with nothing on the line waits";
}

}  // namespace
}  // namespace orvane::test
