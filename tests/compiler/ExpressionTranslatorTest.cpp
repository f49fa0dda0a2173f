#include <gtest/gtest.h>

#include <climits>

#include "tests/compiler/TranslationHarness.h"

namespace orvane::test {
namespace {

// Loads of a variable into the accumulator and into the operand pair.
std::string Acc(const std::string& v) {
    return "ldi ZH,high(" + v + ")\nldi ZL,low(" + v + ")\nld tmp2,Z\nldd tmp1,Z+1\n";
}
std::string Opd(const std::string& v) {
    return "ldi ZH,high(" + v + ")\nldi ZL,low(" + v + ")\nld tmp4,Z\nldd tmp3,Z+1\n";
}
const std::string kPush = "push tmp1\npush tmp2\n";
const std::string kStartProduct = "mov tmp1,tmp3\nmov tmp2,tmp4\n";
const std::string kAdd = "add tmp1,tmp3\nadc tmp2,tmp4\n";
const std::string kSub = "sub tmp1,tmp3\nsbc tmp2,tmp4\n";
const std::string kPopAdd = "pop tmp4\npop tmp3\n" + kAdd;
const std::string kPopSub = "mov tmp3,tmp1\nmov tmp4,tmp2\npop tmp2\npop tmp1\n" + kSub;

struct ExpressionRow {
    const char* name;
    const char* text;
    std::vector<const char*> variables;  // declared in this order
    std::string expected;
};

class ExpressionCode : public ::testing::TestWithParam<ExpressionRow> {};

TEST_P(ExpressionCode, MatchesTemplates) {
    const ExpressionRow& row = GetParam();
    TranslationHarness h("");
    for (const char* v : row.variables) h.Variables().Declare(v);
    h.Translator().Expressions().TranslateExpression(row.text);
    EXPECT_EQ(h.Program(), row.expected);
    EXPECT_TRUE(h.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ExpressionCode,
    ::testing::Values(
        ExpressionRow{"Literal", "7", {}, Lines({"ldi tmp2,0", "ldi tmp1,7"})},
        ExpressionRow{"LiteralAboveOneByte", "1000", {}, Lines({"ldi tmp2,3", "ldi tmp1,232"})},
        ExpressionRow{"LiteralBeyondSixteenBits", "65536", {}, Lines({"ldi tmp2,256", "ldi tmp1,0"})},
        ExpressionRow{"DecimalCommaCutToInteger", "1,5", {}, Lines({"ldi tmp2,0", "ldi tmp1,1"})},
        ExpressionRow{"Exponent", "2e2", {}, Lines({"ldi tmp2,0", "ldi tmp1,200"})},
        ExpressionRow{"SemicolonIgnored", "x;", {"x"}, Acc("x")},
        ExpressionRow{"Empty", "", {}, ""},
        ExpressionRow{"LeadingMinusStartsFromZero", "-5", {},
                      Lines({"clr tmp2", "clr tmp1", "ldi tmp4,0", "ldi tmp3,5"}) + kSub},
        ExpressionRow{"ProductBindsTighter", "x+y*z", {"x", "y", "z"},
                      Acc("x") + Opd("y") + kPush + kStartProduct + Opd("z") + "rcall Pomnoz\n" +
                          kPopAdd},
        ExpressionRow{"HeldAdditionCompletedAtMinus", "x+y*z-w", {"x", "y", "z", "w"},
                      Acc("x") + Opd("y") + kPush + kStartProduct + Opd("z") + "rcall Pomnoz\n" +
                          kPopAdd + Opd("w") + kSub},
        ExpressionRow{"ProductChainAfterPlusKeepsOneSave", "a+b*c*d", {"a", "b", "c", "d"},
                      Acc("a") + Opd("b") + kPush + kStartProduct + Opd("c") + "rcall Pomnoz\n" +
                          Opd("d") + "rcall Pomnoz\n" + kPopAdd},
        ExpressionRow{"HeldSubtraction", "a-b/c", {"a", "b", "c"},
                      Acc("a") + Opd("b") + kPush + kStartProduct + Opd("c") + "rcall Podziel\n" +
                          kPopSub},
        ExpressionRow{"SameLevelLeftToRight", "10-4-3", {},
                      Lines({"ldi tmp2,0", "ldi tmp1,10", "ldi tmp4,0", "ldi tmp3,4"}) + kSub +
                          Lines({"ldi tmp4,0", "ldi tmp3,3"}) + kSub},
        ExpressionRow{"Parenthesis", "2*(x+y)", {"x", "y"},
                      Lines({"ldi tmp2,0", "ldi tmp1,2"}) + kPush + Acc("x") + Opd("y") + kAdd +
                          Lines({"mov tmp3,tmp1", "mov tmp4,tmp2", "pop tmp2", "pop tmp1",
                                 "rcall Pomnoz"})},
        ExpressionRow{"LongerNameWhenShorterIsNotFollowedByOperator", "vw+1", {"v", "vw"},
                      Acc("vw") + Lines({"ldi tmp4,0", "ldi tmp3,1"}) + kAdd},
        ExpressionRow{"CallWithTwoByteResultFirst", "Read(3)+1", {},
                      Lines({"ldi tmp1,3", "mov p1,tmp1", "rcall ServoR", "ldi tmp4,0",
                             "ldi tmp3,1"}) +
                          kAdd},
        ExpressionRow{"CallWithOneByteResultAsOperand", "x+Get(2)", {"x"},
                      Acc("x") + kPush +
                          Lines({"ldi tmp1,2", "mov p1,tmp1", "rcall DOG", "clr tmp2",
                                 "mov tmp4,tmp2", "mov tmp3,tmp1", "pop tmp2", "pop tmp1"}) +
                          kAdd}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExpressionTranslator, UnknownOperandCountsAsOneAndDropsTheRest) {
    TranslationHarness h("");
    EXPECT_EQ(h.Expression("x+q*7", {"x"}), Acc("x") + Lines({"clr tmp2", "ldi tmp1,1"}));
    ASSERT_EQ(h.Boxes().size(), 1u);
    EXPECT_EQ(h.Boxes()[0].caption, "BŁĄD (OASM1)");
    EXPECT_EQ(h.Boxes()[0].text, "Błąd określenia wartości: x+q*7");
    EXPECT_TRUE(h.Faulty());
}

TEST(ExpressionTranslator, UndefinedCallIsReportedAndTheExpressionGoesOn) {
    TranslationHarness h("");
    EXPECT_EQ(h.Expression("Nope(1)+2"), Lines({"ldi tmp4,0", "ldi tmp3,2"}) + kAdd);
    ASSERT_EQ(h.Boxes().size(), 1u);
    EXPECT_EQ(h.Boxes()[0].caption, "Komenda nie zdefiniowana! (WPASM1)");
    EXPECT_EQ(h.Boxes()[0].text, "Komenda niezdefiniowana:  \"Nope(1);\"!");
    EXPECT_TRUE(h.Faulty());
}

TEST(ExpressionTranslator, TrigonometricCallsKeepTheirHighByte) {
    commands::CommandTable table;
    table.AddNewest(MakeCommand("sinus", "LEDS", 1, {}));
    table.AddNewest(MakeCommand("sinusoid", "LEDF", 1, {}));
    TranslationHarness h("", table);
    EXPECT_EQ(h.Expression("sinus()"), "rcall LEDS\n");
}

TEST(ExpressionTranslator, AbsurdNestingIsRefusedInsteadOfExhaustingTheStack) {
    TranslationHarness h("");
    const std::string deep = std::string(1000, '(') + "1" + std::string(1000, ')');
    h.Expression(deep);
    ASSERT_EQ(h.Boxes().size(), 1u);
    EXPECT_EQ(h.Boxes()[0].caption, "BŁĄD (OASM1)");
}

TEST(ExpressionTranslator, UnclosedParenthesisTakesTheRestOfTheText) {
    TranslationHarness h("");
    EXPECT_EQ(h.Expression("2*(3+4"),
              Lines({"ldi tmp2,0", "ldi tmp1,2", "push tmp1", "push tmp2", "ldi tmp2,0",
                     "ldi tmp1,3", "ldi tmp4,0", "ldi tmp3,4"}) +
                  kAdd + Lines({"mov tmp3,tmp1", "mov tmp4,tmp2", "pop tmp2", "pop tmp1", "rcall Pomnoz"}));
}

struct ArgumentRow {
    const char* statement;
    int n;
    std::int32_t result;
    std::string code;
};

class ArgumentKinds : public ::testing::TestWithParam<ArgumentRow> {};

TEST_P(ArgumentKinds, ClassifiesLiteralsAndWritesExpressions) {
    const ArgumentRow& row = GetParam();
    TranslationHarness h("");
    h.Variables().Declare("x");
    EXPECT_EQ(h.Translator().Expressions().TranslateArgument(row.statement, row.n), row.result);
    EXPECT_EQ(h.Program(), row.code);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ArgumentKinds,
    ::testing::Values(ArgumentRow{"ServoSet(3,100);", 2, -100, ""},
                      ArgumentRow{"ServoSet(3,100);", 3, -1, ""},
                      ArgumentRow{"Cmd(0);", 1, 0, ""}, ArgumentRow{"Cmd();", 1, 0, ""},
                      ArgumentRow{"Cmd(000);", 1, 0, ""},
                      ArgumentRow{"Cmd(99999999999);", 1, -INT_MAX, ""},
                      ArgumentRow{"Cmd;", 1, 1, ""},
                      ArgumentRow{"Cmd(x);", 1, 1, Acc("x")},
                      ArgumentRow{"Cmd(1.5);", 1, 1, Lines({"ldi tmp2,0", "ldi tmp1,1"})},
                      ArgumentRow{"Cmd(5,x)};", 2, 1, Acc("x")}));

}  // namespace
}  // namespace orvane::test
