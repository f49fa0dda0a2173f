#include <gtest/gtest.h>

#include "tests/compiler/AvrHarness.h"
#include "tests/support/RowName.h"

namespace orvane::test {
namespace {

struct ProgramRow {
    const char* name;
    const char* script;
    std::vector<std::pair<const char*, int>> values;  // variable, 16-bit value afterwards
};

class CompiledProgram : public ::testing::TestWithParam<ProgramRow> {};

// Each script runs on the simulated controller; the variables it leaves in SRAM are what the
// script computes, and the stack is balanced when it returns. (Precedence, loops, branches and
// subroutines are compared with the interpreter by the differential test; these are what it
// keeps away from: values compared outside 0..65535, and Remove.)
TEST_P(CompiledProgram, ComputesWhatTheScriptSays) {
    const RealCompile compile(GetParam().script);
    ASSERT_EQ(compile.result.outcome, compiler::CompileOutcome::Compiled) << compile.Report();
    const AvrRun run(compile);
    ASSERT_TRUE(run.Completed()) << run.Output();
    for (const auto& [variable, value] : GetParam().values) EXPECT_EQ(run.Variable(variable), value) << variable;
    EXPECT_EQ(run.StackAfterProgram(), AvrRun::kRamEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, CompiledProgram,
    ::testing::Values(
        ProgramRow{"WrapAround", "Var: a, b, c, d; a = 0 - 1; b = 65535 + 2; c = 300 * 300; d = 5 - 7 + 3;",
                   {{"a", 65535}, {"b", 1}, {"c", 24464}, {"d", 1}}},
        ProgramRow{"UnsignedComparisons",
                   "Var: x, a, b, r0, r1, r2, r3, r4, r5, r6, r7, r8; x = 0 - 1; if (x > 1) r0 = 1;"
                   "a = 5; b = 7; if (a < b) r1 = 1; if (a <= b) r2 = 1; if (a == b) r3 = 1;"
                   "if (a >= b) r4 = 1; if (a != b) r5 = 1; a = 7; if (a < b) r6 = 1; if (a <= b) r7 = 1; if (a > b) r8 = 1;",
                   {{"r0", 1}, {"r1", 1}, {"r2", 1}, {"r3", 0}, {"r4", 0}, {"r5", 1}, {"r6", 0}, {"r7", 1}, {"r8", 0}}},
        ProgramRow{"RemoveClears", "Var: x, y; x = 4; y = 5; Remove(x); Var: x; x = x + 1; Remove(); ",
                   {{"x", 0}, {"y", 0}}}),
    RowName<&ProgramRow::name>{});

TEST(CompiledProgram, ScaledArgumentsReachTheParameterRegisters) {
    const RealCompile compile(
        "Var: d; d = 90;\n"
        "ServoSetS(3, 0, 7, 0, 90);\n"      // literal: 90 * 50 / 9 + 1000 = 1500
        "ServoSetS(d - 86, 1, 2, 3, d);\n"  // the same scaling done by the program
        "LedFlash(2, 1000);\n"              // 1000 / 10
        "LedFlash(1, d * 20);\n"            // 1800 / 10 by the program
        "Wait(300);\n");
    ASSERT_EQ(compile.result.outcome, compiler::CompileOutcome::Compiled) << compile.Report();
    const AvrRun run(compile);
    ASSERT_TRUE(run.Completed());
    // The firmware's stubs log each call in 8 bytes from 0x280 on: the routine's entry (low byte;
    // 0x7a ServoS, 0x7c LEDF, 0x7d WaitS), then p1..p6; the count is at 0x27F.
    std::vector<std::vector<int>> calls;  // the routine, then the parameter registers it takes
    for (int at = 0x280; at < 0x280 + 8 * run.Byte(0x27F); at += 8) {
        const int used = run.Byte(at) == 0x7a ? 6 : run.Byte(at) == 0x7c ? 3 : 2;
        calls.emplace_back();
        for (int b = at; b <= at + used; ++b) calls.back().push_back(run.Byte(b));
    }
    EXPECT_EQ(calls, (std::vector<std::vector<int>>{{0x7a, 3, 0, 7, 0, 0xDC, 0x05}, {0x7a, 4, 1, 2, 3, 0xDC, 0x05},
                                                    {0x7c, 2, 100, 0}, {0x7c, 1, 180, 0}, {0x7d, 44, 1}}));
}

}  // namespace
}  // namespace orvane::test
