#include <gtest/gtest.h>

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
        CallRow{"TwoByteLiteral", {MakeCommand("W", "WaitS", 0, {Arg(2)})}, "W(1000);",
                Lines({"ldi tmp1,232", "ldi tmp2,3", "mov p1,tmp1", "mov p2,tmp2", "rcall WaitS"})},
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
        CallRow{"ExtraArgumentsIgnored", {MakeCommand("C", "LEDS", 0, {Arg(1)})}, "C(4,5,6);",
                Lines({"ldi tmp1,4", "mov p1,tmp1", "rcall LEDS"})},
        CallRow{"NewestDefinitionOfANameWins", {MakeCommand("C", "LEDS", 0, {}), MakeCommand("C", "LEDF", 0, {})},
                "C();", "rcall LEDF\n"},
        CallRow{"SizesOneThenTwoFillThreeRegisters", {MakeCommand("S", "ServoS", 0, {Arg(1), Arg(2)})}, "S(3,1500);",
                Lines({"ldi tmp1,3", "mov p1,tmp1", "ldi tmp1,220", "ldi tmp2,5", "mov p2,tmp1", "mov p3,tmp2",
                       "rcall ServoS"})},
        CallRow{"OtherSizesTakeNoRegister", {MakeCommand("S", "ServoS", 0, {Arg(4), Arg(1)})}, "S(3,9);",
                Lines({"ldi tmp1,9", "mov p1,tmp1", "rcall ServoS"})},
        CallRow{"ExpressionMultiplierPowerOfTwoIsShifts", {MakeCommand("S", "ServoS", 0, {Arg(2, 8)})}, "S(x);",
                kX + kShift + kShift + kShift + Lines({"mov p1,tmp1", "mov p2,tmp2", "rcall ServoS"})},
        CallRow{"ExpressionMultiplierSix", {MakeCommand("S", "ServoS", 0, {Arg(2, 6)})}, "S(x);",
                kX + kShift + Lines({"ldi tmp4,0", "ldi tmp3,3", "rcall Pomnoz", "mov p1,tmp1", "mov p2,tmp2",
                                     "rcall ServoS"})},
        CallRow{"ExpressionDivisorAndConstant", {MakeCommand("S", "ServoS", 0, {Arg(2, 50, 9, 1000)})}, "S(x);",
                kX + kShift + Lines({"ldi tmp4,0", "ldi tmp3,25", "rcall Pomnoz", "ldi tmp4,0", "ldi tmp3,9",
                                     "rcall Podziel", "ldi tmp3,232", "ldi tmp4,3", "add tmp1,tmp3",
                                     "adc tmp2,tmp4", "mov p1,tmp1", "mov p2,tmp2", "rcall ServoS"})},
        CallRow{"OneByteExpressionConstant", {MakeCommand("S", "ServoS", 0, {Arg(1, 1, 1, 300)})}, "S(x);",
                kX + Lines({"ldi tmp3,44", "add tmp1,tmp3", "mov p1,tmp1", "rcall ServoS"})},
        CallRow{"ResultDivisorHalves", {MakeCommand("R", "ServoR", 2, {Arg(1)}, 1, 2)}, "R(1);",
                Lines({"ldi tmp1,1", "mov p1,tmp1", "rcall ServoR", "lsr tmp2", "ror tmp1"})},
        CallRow{"ResultMultiplierThenDivisor", {MakeCommand("R", "ADIAxR", 2, {}, 5000, 1023)}, "R();",
                "rcall ADIAxR\n" + std::string(kShift) + kShift + kShift +
                    Lines({"ldi tmp4,2", "ldi tmp3,113", "rcall Pomnoz", "ldi tmp4,3", "ldi tmp3,255",
                           "rcall Podziel"})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandCallTranslator, FactorCodeShiftsOutThePowersOfTwo) {
    struct Row { int factor; std::string code; };
    for (const Row& row : {Row{12, Lines({"S", "S", "ldi tmp4,0", "ldi tmp3,3", "R"})},
                           Row{5, Lines({"ldi tmp4,0", "ldi tmp3,5", "R"})},
                           Row{1000, Lines({"S", "S", "S", "ldi tmp4,0", "ldi tmp3,125", "R"})},
                           Row{600, Lines({"S", "S", "S", "ldi tmp4,0", "ldi tmp3,75", "R"})},
                           Row{65535, Lines({"ldi tmp4,255", "ldi tmp3,255", "R"})}})
        EXPECT_EQ(compiler::CommandCallTranslator::FactorCode(row.factor, "S\n", "R\n"), row.code) << row.factor;
}

}  // namespace
}  // namespace orvane::test
