#include <gtest/gtest.h>

#include "tests/compiler/TranslationHarness.h"

namespace orvane::test {
namespace {

const std::string kLoadX = "ldi ZH,high(x)\nldi ZL,low(x)\nld tmp2,Z\nldd tmp1,Z+1\n";

struct CallRow {
    const char* name;
    commands::CommandDef def;
    const char* call;
    std::string expected;
};

class CallCode : public ::testing::TestWithParam<CallRow> {};

TEST_P(CallCode, MatchesTemplates) {
    const CallRow& row = GetParam();
    commands::CommandTable table;
    table.AddNewest(row.def);
    TranslationHarness h("", table);
    h.Variables().Declare("x");
    EXPECT_EQ(h.Translator().Expressions().CommandCalls().TranslateCommandCall(row.call),
              row.def.resultSize);
    EXPECT_EQ(h.Program(), row.expected);
    EXPECT_TRUE(h.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CallCode,
    ::testing::Values(
        CallRow{"TwoByteLiteral", MakeCommand("W", "WaitS", 0, {{2}}), "W(1000);",
                Lines({"ldi tmp1,232", "ldi tmp2,3", "mov p1,tmp1", "mov p2,tmp2", "rcall WaitS"})},
        CallRow{"LiteralScaledAtCompileTime", MakeCommand("W", "WaitS", 0, {{2, 10, 4, 0}}), "W(7);",
                Lines({"ldi tmp1,17", "ldi tmp2,0", "mov p1,tmp1", "mov p2,tmp2", "rcall WaitS"})},
        CallRow{"NegativeLiteralInTwosComplement", MakeCommand("W", "WaitS", 0, {{2, 1, 1, -400}}),
                "W(100);",
                Lines({"ldi tmp1,212", "ldi tmp2,254", "mov p1,tmp1", "mov p2,tmp2", "rcall WaitS"})},
        CallRow{"OneByteLiteralClampedAt255", MakeCommand("C", "LEDS", 0, {{1, 1, 1, 100}}), "C(200);",
                Lines({"ldi tmp1,255", "mov p1,tmp1", "rcall LEDS"})},
        CallRow{"ZeroIsNotScaled", MakeCommand("C", "LEDS", 0, {{1, 1, 1, 100}, {2, 5, 1, 7}}),
                "C(0,0);", Lines({"mov p1,zero", "mov p2,zero", "mov p3,zero", "rcall LEDS"})},
        CallRow{"MissingArgumentIsLiteralOne", MakeCommand("C", "LEDS", 0, {{1, 3, 1, 0}, {1}}),
                "C(2);", Lines({"ldi tmp1,6", "mov p1,tmp1", "ldi tmp1,1", "mov p2,tmp1", "rcall LEDS"})},
        CallRow{"ExtraArgumentsIgnored", MakeCommand("C", "LEDS", 0, {{1}}), "C(4,5,6);",
                Lines({"ldi tmp1,4", "mov p1,tmp1", "rcall LEDS"})},
        CallRow{"SizesOneThenTwoFillThreeRegisters", MakeCommand("S", "ServoS", 0, {{1}, {2}}),
                "S(3,1500);",
                Lines({"ldi tmp1,3", "mov p1,tmp1", "ldi tmp1,220", "ldi tmp2,5", "mov p2,tmp1",
                       "mov p3,tmp2", "rcall ServoS"})},
        CallRow{"OtherSizesTakeNoRegister", MakeCommand("S", "ServoS", 0, {{4}, {1}}), "S(3,9);",
                Lines({"ldi tmp1,9", "mov p1,tmp1", "rcall ServoS"})},
        CallRow{"ExpressionMultiplierPowerOfTwoIsShifts", MakeCommand("S", "ServoS", 0, {{2, 8, 1, 0}}),
                "S(x);",
                kLoadX + Lines({"lsl tmp1", "rol tmp2", "lsl tmp1", "rol tmp2", "lsl tmp1", "rol tmp2",
                                "mov p1,tmp1", "mov p2,tmp2", "rcall ServoS"})},
        CallRow{"ExpressionMultiplierSix", MakeCommand("S", "ServoS", 0, {{2, 6, 1, 0}}), "S(x);",
                kLoadX + Lines({"lsl tmp1", "rol tmp2", "ldi tmp4,0", "ldi tmp3,3", "rcall Pomnoz",
                                "mov p1,tmp1", "mov p2,tmp2", "rcall ServoS"})},
        CallRow{"ExpressionDivisorAndConstant", MakeCommand("S", "ServoS", 0, {{2, 50, 9, 1000}}),
                "S(x);",
                kLoadX + Lines({"lsl tmp1", "rol tmp2", "ldi tmp4,0", "ldi tmp3,25", "rcall Pomnoz",
                                "ldi tmp4,0", "ldi tmp3,9", "rcall Podziel", "ldi tmp3,232",
                                "ldi tmp4,3", "add tmp1,tmp3", "adc tmp2,tmp4", "mov p1,tmp1",
                                "mov p2,tmp2", "rcall ServoS"})},
        CallRow{"OneByteExpressionConstant", MakeCommand("S", "ServoS", 0, {{1, 1, 1, 300}}), "S(x);",
                kLoadX + Lines({"ldi tmp3,44", "add tmp1,tmp3", "mov p1,tmp1", "rcall ServoS"})},
        CallRow{"ResultDivisorHalves", MakeCommand("R", "ServoR", 2, {{1}}, 1, 2), "R(1);",
                Lines({"ldi tmp1,1", "mov p1,tmp1", "rcall ServoR", "lsr tmp2", "ror tmp1"})},
        CallRow{"ResultMultiplierThenDivisor", MakeCommand("R", "ADIAxR", 2, {}, 5000, 1023), "R();",
                Lines({"rcall ADIAxR", "lsl tmp1", "rol tmp2", "lsl tmp1", "rol tmp2", "lsl tmp1",
                       "rol tmp2", "ldi tmp4,2", "ldi tmp3,113", "rcall Pomnoz", "ldi tmp4,3",
                       "ldi tmp3,255", "rcall Podziel"})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandCallTranslator, UndefinedCommandWritesNothingAndSaysWhich) {
    TranslationHarness h("");
    EXPECT_EQ(h.Translator().Expressions().CommandCalls().TranslateCommandCall("Servo(1);"), -1);
    EXPECT_EQ(h.Program(), "");
    ASSERT_EQ(h.Boxes().size(), 1u);
    EXPECT_EQ(h.Boxes()[0].caption, "Komenda nie zdefiniowana! (WPASM1)");
    EXPECT_EQ(h.Boxes()[0].text, "Komenda niezdefiniowana:  \"Servo(1);\"!");
}

TEST(CommandCallTranslator, NewestDefinitionOfANameWins) {
    commands::CommandTable table;
    table.AddNewest(MakeCommand("C", "LEDS", 0, {}));
    table.AddNewest(MakeCommand("C", "LEDF", 0, {}));
    TranslationHarness h("", table);
    h.Translator().Expressions().CommandCalls().TranslateCommandCall("C();");
    EXPECT_EQ(h.Program(), "rcall LEDF\n");
}

TEST(CommandCallTranslator, FactorCode) {
    using compiler::CommandCallTranslator;
    EXPECT_EQ(CommandCallTranslator::FactorCode(12, "S\n", "R\n"),
              Lines({"S", "S", "ldi tmp4,0", "ldi tmp3,3", "R"}));
    EXPECT_EQ(CommandCallTranslator::FactorCode(5, "S\n", "R\n"), Lines({"ldi tmp4,0", "ldi tmp3,5", "R"}));
    EXPECT_EQ(CommandCallTranslator::FactorCode(1000, "S\n", "R\n"),
              Lines({"S", "S", "S", "ldi tmp4,0", "ldi tmp3,125", "R"}));
    EXPECT_EQ(CommandCallTranslator::FactorCode(600, "S\n", "R\n"),
              Lines({"S", "S", "S", "ldi tmp4,0", "ldi tmp3,75", "R"}));
    EXPECT_EQ(CommandCallTranslator::FactorCode(65535, "S\n", "R\n"), Lines({"ldi tmp4,255", "ldi tmp3,255", "R"}));
}

}  // namespace
}  // namespace orvane::test
