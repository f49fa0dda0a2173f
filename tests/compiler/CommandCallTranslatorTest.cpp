#include <gtest/gtest.h>

#include <climits>

#include "tests/compiler/TranslationHarness.h"

namespace orvane::test {
namespace {

struct CallRow {
    const char* name;
    std::vector<commands::CommandDef> defs;  // added in this order, so the last is the newest
    const char* call;
    std::string expected;
};

class CallCode : public ::testing::TestWithParam<CallRow> {};

TEST_P(CallCode, MatchesTemplates) {
    const CallRow& row = GetParam();
    commands::CommandTable table;
    for (const auto& def : row.defs) table.AddNewest(def);
    TranslationHarness h("", table);
    h.variables.Declare("x");
    EXPECT_EQ(h.translator.Expressions().CommandCalls().TranslateCommandCall(row.call), row.defs.back().resultSize);
    EXPECT_EQ(h.Program(), row.expected);
    EXPECT_TRUE(h.prompts.Boxes().empty());
}

const std::string kX = Load("x");
const char* kShift = "lsl tmp1\nrol tmp2\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, CallCode,
    ::testing::Values(
        CallRow{"LiteralScaledAtCompileTime", {MakeCommand("W", "WaitS", 0, {Arg(2, 10, 4)})}, "W(7);",
                Lines({"ldi tmp1,17", "ldi tmp2,0", "mov p1,tmp1", "mov p2,tmp2", "rcall WaitS"})},
        CallRow{"NegativeLiteralInTwosComplement", {MakeCommand("W", "WaitS", 0, {Arg(2, 1, 1, -400)})}, "W(100);",
                Lines({"ldi tmp1,212", "ldi tmp2,254", "mov p1,tmp1", "mov p2,tmp2", "rcall WaitS"})},
        CallRow{"OneByteLiteralClampedAt255", {MakeCommand("C", "LEDS", 0, {Arg(1, 1, 1, 100)})}, "C(200);",
                Lines({"ldi tmp1,255", "mov p1,tmp1", "rcall LEDS"})},
        CallRow{"ZeroIsNotScaled", {MakeCommand("C", "LEDS", 0, {Arg(1, 1, 1, 100), Arg(2, 5, 1, 7)})}, "C(0,0);",
                Lines({"mov p1,zero", "mov p2,zero", "mov p3,zero", "rcall LEDS"})},
        CallRow{"MissingArgumentIsLiteralOne", {MakeCommand("C", "LEDS", 0, {Arg(1, 3), Arg(1)})}, "C(2);",
                Lines({"ldi tmp1,6", "mov p1,tmp1", "ldi tmp1,1", "mov p2,tmp1", "rcall LEDS"})},
        CallRow{"ExpressionMultiplierPowerOfTwoIsShifts", {MakeCommand("S", "ServoS", 0, {Arg(2, 8)})}, "S(x);",
                kX + kShift + kShift + kShift + Lines({"mov p1,tmp1", "mov p2,tmp2", "rcall ServoS"})},
        CallRow{"ResultDivisorHalves", {MakeCommand("R", "ServoR", 2, {Arg(1)}, 1, 2)}, "R(1);",
                Lines({"ldi tmp1,1", "mov p1,tmp1", "rcall ServoR", "lsr tmp2", "ror tmp1"})},
        CallRow{"ResultMultiplierThenDivisor", {MakeCommand("R", "ADIAxR", 2, {}, 5000, 1023)}, "R();",
                "rcall ADIAxR\n" + std::string(kShift) + kShift + kShift +
                    Lines({"ldi tmp4,2", "ldi tmp3,113", "rcall Pomnoz", "ldi tmp4,3", "ldi tmp3,255",
                           "rcall Podziel"})}),
    [](const auto& info) { return std::string(info.param.name); });

// A literal beyond the int range must not overflow into a small one.
TEST(CommandCallTranslator, HugeLiteralArgumentIsClamped) {
    EXPECT_EQ(TranslationHarness("").translator.Expressions().TranslateArgument("Cmd(99999999999);", 1), -INT_MAX);
}

}  // namespace
}  // namespace orvane::test
