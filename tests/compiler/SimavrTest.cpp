#include <gtest/gtest.h>

#include "tests/compiler/AvrHarness.h"

namespace orvane::test {
namespace {

struct ProgramRow {
    const char* name;
    const char* script;
    std::vector<std::pair<const char*, int>> values;  // variable, 16-bit value afterwards
};

class CompiledProgram : public ::testing::TestWithParam<ProgramRow> {};

// Each script runs on the simulated controller; the variables it leaves in SRAM are what the
// script computes, and the stack is balanced when it returns.
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
        ProgramRow{"Precedence",
                   "Var: a, b, c, d, e, f, r, s; a = 2 + 3 * 4; b = 10 - 4 - 3; c = (1 + 2) * 3; d = 100 / 7;"
                   "e = 2 * (3 + 4) - 5; f = 20 - 6 / 2 * 3 + 1; r = 1 + c / 3 * 2 * 4; s = f - e * 2 / 3 + 2 * 3 * 4;",
                   {{"a", 14}, {"b", 3}, {"c", 9}, {"d", 14}, {"e", 9}, {"f", 12}, {"r", 25}, {"s", 30}}},
        ProgramRow{"WrapAround", "Var: a, b, c, d; a = 0 - 1; b = 65535 + 2; c = 300 * 300; d = 5 - 7 + 3;",
                   {{"a", 65535}, {"b", 1}, {"c", 24464}, {"d", 1}}},
        ProgramRow{"UnsignedComparisons",
                   "Var: x, a, b, r0, r1, r2, r3, r4, r5; x = 0 - 1; if (x > 1) r0 = 1;"
                   "a = 5; b = 7; if (a < b) r1 = 1; if (a <= b) r2 = 1; if (a == b) r3 = 1;"
                   "if (a >= b) r4 = 1; if (a != b) r5 = 1;",
                   {{"r0", 1}, {"r1", 1}, {"r2", 1}, {"r3", 0}, {"r4", 0}, {"r5", 1}}},
        ProgramRow{"ComparisonsOfEqualValues",
                   "Var: a, b, r0, r1, r2, r3, r4, r5; a = 300; b = 300; if (a < b) r0 = 1; if (a <= b) r1 = 1;"
                   "if (a == b) r2 = 1; if (a != b) r3 = 1; if (a >= b) r4 = 1; if (a > b) r5 = 1;",
                   {{"r0", 0}, {"r1", 1}, {"r2", 1}, {"r3", 0}, {"r4", 1}, {"r5", 0}}},
        ProgramRow{"Loops",
                   "Var: i, j, n, s; while (i < 10) { i = i + 1; s = s + i; } i = 0;"
                   "while (i < 4) { j = 0; while (j < i) { n = n + 1; j = j + 1; } i = i + 1; }",
                   {{"s", 55}, {"n", 6}}},
        ProgramRow{"IfElse",
                   "Var: x, y, z, w, r; x = 3; if (x == 3) y = 1; else y = 2; if (x == 4) { z = 1; } else { z = 2; }"
                   "if (x > 1) w = 7;else w = 8; if (x == 1) r = 10; else if (x == 3) r = 20; else r = 30;",
                   {{"y", 1}, {"z", 2}, {"w", 7}, {"r", 20}}},
        ProgramRow{"ConditionWithoutOperator", "Var: x, r, s; if (x) r = 1; while (0) { s = 5; } x = 2; if (x) s = 3;",
                   {{"r", 0}, {"s", 3}}},
        ProgramRow{"CallRestoresVariables", "Var: x, y; x = 1; Call(Sub); y = x; Exit(); Sub: x = 5; Return();",
                   {{"x", 1}, {"y", 1}}},
        ProgramRow{"RunKeepsWhatTheSubroutineStored", "Var: x, y; x = 1; Run(Sub); y = x; Exit(); Sub: x = 5; Return();",
                   {{"x", 5}, {"y", 5}}},
        ProgramRow{"MainStartsTheProgram", "Var: x; x = 9; Exit(); Main: x = x + 4;", {{"x", 4}}},
        ProgramRow{"RemoveClears", "Var: x, y; x = 4; y = 5; Remove(x); Var: x; x = x + 1; Remove(); ",
                   {{"x", 0}, {"y", 0}}},
        ProgramRow{"GoTo", "Var: x; GoTo(Skip); x = 1; Skip: x = x + 2;", {{"x", 2}}},
        ProgramRow{"CommandResults", "Var: a, b, c; a = ServoRead(2); b = DigitalGet(5); c = ServoReadS(2) + 1;",
                   {{"a", 0x1266}, {"b", 105}, {"c", 848}}},
        ProgramRow{"InlineAssembler", "Var: x;\nasm:\n  ldi tmp1, 42;\nasm: {\n  clr tmp2\n  sts x, tmp2\n  sts x+1, tmp1\n}\n",
                   {{"x", 42}}}),
    [](const auto& info) { return std::string(info.param.name); });

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
    std::vector<std::vector<int>> calls;  // the routine, then the parameter registers it takes
    for (const auto& c : run.Calls()) {
        const std::size_t used = c.routine == 0x7a ? 6 : c.routine == 0x7c ? 3 : 2;
        calls.push_back({c.routine});
        calls.back().insert(calls.back().end(), c.params.begin(), c.params.begin() + static_cast<long>(used));
    }
    EXPECT_EQ(calls, (std::vector<std::vector<int>>{{0x7a, 3, 0, 7, 0, 0xDC, 0x05}, {0x7a, 4, 1, 2, 3, 0xDC, 0x05},
                                                    {0x7c, 2, 100, 0}, {0x7c, 1, 180, 0}, {0x7d, 44, 1}}));
}

TEST(CompiledProgram, InterruptHooksPreserveTheFirmwaresRegisters) {
    const RealCompile compile("Var: n; n = 1; Exit();\nINT0: n = n + ServoRead(1); RetINT();\nINT1: n = n * 10; RetINT();\n");
    ASSERT_EQ(compile.result.outcome, compiler::CompileOutcome::Compiled) << compile.Report();
    const AvrRun run(compile);
    ASSERT_TRUE(run.Completed());
    EXPECT_EQ(run.Variable("n"), (1 + 0x1265) * 10);
    // The firmware leaves the stack pointer after the hooks at 0x262, then tmp1..tmp6 and p1..p6.
    std::vector<int> after;
    for (int a = 0x262; a < 0x270; ++a) after.push_back(run.Byte(a));
    EXPECT_EQ(after, (std::vector<int>{0x04, 0x5F, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6}));
}

}  // namespace
}  // namespace orvane::test
