#include <gtest/gtest.h>

#include <climits>

#include "tests/compiler/TranslationHarness.h"

namespace orvane::test {
namespace {

std::string Opd(const std::string& v) { return Load(v, "tmp4", "tmp3"); }
const std::string kPush = "push tmp1\npush tmp2\n";
const std::string kStartProduct = "mov tmp1,tmp3\nmov tmp2,tmp4\n";
const std::string kAdd = "add tmp1,tmp3\nadc tmp2,tmp4\n";
const std::string kSub = "sub tmp1,tmp3\nsbc tmp2,tmp4\n";
const std::string kPopAdd = "pop tmp4\npop tmp3\n" + kAdd;
const std::string kPopSub = "mov tmp3,tmp1\nmov tmp4,tmp2\npop tmp2\npop tmp1\n" + kSub;
const std::string kPopMultiply = "mov tmp3,tmp1\nmov tmp4,tmp2\npop tmp2\npop tmp1\nrcall Pomnoz\n";
const std::string kDeep = std::string(1000, '(') + "1" + std::string(1000, ')');

struct ExpressionRow {
    const char* name;
    std::string text;
    std::vector<const char*> variables;  // declared in this order
    std::string expected;
    std::vector<std::string> boxes = {};
};

class ExpressionCode : public ::testing::TestWithParam<ExpressionRow> {};

TEST_P(ExpressionCode, MatchesTemplates) {
    const ExpressionRow& row = GetParam();
    commands::CommandTable table = SampleCommands();
    table.AddNewest(MakeCommand("sinus", "LEDS", 1, {}));
    TranslationHarness h("", table);
    for (const char* v : row.variables) h.variables.Declare(v);
    h.translator.Expressions().TranslateExpression(row.text);
    EXPECT_EQ(h.Program(), row.expected);
    EXPECT_EQ(Shown(h.prompts), row.boxes);
    EXPECT_EQ(h.context.Faulty(), !row.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ExpressionCode,
    ::testing::Values(
        ExpressionRow{"Literal", "7", {}, Lines({"ldi tmp2,0", "ldi tmp1,7"})},
        ExpressionRow{"LiteralAboveOneByte", "1000", {}, Lines({"ldi tmp2,3", "ldi tmp1,232"})},
        ExpressionRow{"LiteralBeyondSixteenBits", "65536", {}, Lines({"ldi tmp2,256", "ldi tmp1,0"})},
        ExpressionRow{"DecimalCommaCutToInteger", "1,5", {}, Lines({"ldi tmp2,0", "ldi tmp1,1"})},
        ExpressionRow{"Exponent", "2e2", {}, Lines({"ldi tmp2,0", "ldi tmp1,200"})},
        ExpressionRow{"SemicolonIgnored", "x;", {"x"}, Load("x")},
        ExpressionRow{"LeadingMinusStartsFromZero", "-5", {},
                      Lines({"clr tmp2", "clr tmp1", "ldi tmp4,0", "ldi tmp3,5"}) + kSub},
        ExpressionRow{"HeldAdditionCompletedAtMinus", "x+y*z-w", {"x", "y", "z", "w"},
                      Load("x") + Opd("y") + kPush + kStartProduct + Opd("z") + "rcall Pomnoz\n" +
                          kPopAdd + Opd("w") + kSub},
        ExpressionRow{"ProductChainAfterPlusKeepsOneSave", "a+b*c*d", {"a", "b", "c", "d"},
                      Load("a") + Opd("b") + kPush + kStartProduct + Opd("c") + "rcall Pomnoz\n" +
                          Opd("d") + "rcall Pomnoz\n" + kPopAdd},
        ExpressionRow{"HeldSubtraction", "a-b/c", {"a", "b", "c"},
                      Load("a") + Opd("b") + kPush + kStartProduct + Opd("c") + "rcall Podziel\n" + kPopSub},
        ExpressionRow{"SameLevelLeftToRight", "10-4-3", {},
                      Lines({"ldi tmp2,0", "ldi tmp1,10", "ldi tmp4,0", "ldi tmp3,4"}) + kSub +
                          Lines({"ldi tmp4,0", "ldi tmp3,3"}) + kSub},
        ExpressionRow{"Parenthesis", "2*(x+y)", {"x", "y"},
                      Lines({"ldi tmp2,0", "ldi tmp1,2"}) + kPush + Load("x") + Opd("y") + kAdd + kPopMultiply},
        ExpressionRow{"UnclosedParenthesisTakesTheRest", "2*(3+4", {},
                      Lines({"ldi tmp2,0", "ldi tmp1,2"}) + kPush +
                          Lines({"ldi tmp2,0", "ldi tmp1,3", "ldi tmp4,0", "ldi tmp3,4"}) + kAdd + kPopMultiply},
        ExpressionRow{"LongerNameWhenShorterIsNotFollowedByOperator", "vw+1", {"v", "vw"},
                      Load("vw") + Lines({"ldi tmp4,0", "ldi tmp3,1"}) + kAdd},
        ExpressionRow{"CallWithTwoByteResultFirst", "Read(3)+1", {},
                      Lines({"ldi tmp1,3", "mov p1,tmp1", "rcall ServoR", "ldi tmp4,0", "ldi tmp3,1"}) + kAdd},
        ExpressionRow{"CallWithOneByteResultAsOperand", "x+Get(2)", {"x"},
                      Load("x") + kPush +
                          Lines({"ldi tmp1,2", "mov p1,tmp1", "rcall DOG", "clr tmp2", "mov tmp4,tmp2",
                                 "mov tmp3,tmp1", "pop tmp2", "pop tmp1"}) + kAdd},
        ExpressionRow{"TrigonometricCallKeepsItsHighByte", "sinus()", {}, "rcall LEDS\n"},
        ExpressionRow{"UnknownOperandCountsAsOneAndDropsTheRest", "x+q*7", {"x"},
                      Load("x") + Lines({"clr tmp2", "ldi tmp1,1"}),
                      {"BŁĄD (OASM1) | Błąd określenia wartości: x+q*7"}},
        ExpressionRow{"UndefinedCallIsReportedAndTheExpressionGoesOn", "Nope(1)+2", {},
                      Lines({"ldi tmp4,0", "ldi tmp3,2"}) + kAdd,
                      {"Komenda nie zdefiniowana! (WPASM1) | Komenda niezdefiniowana:  \"Nope(1);\"!"}},
        ExpressionRow{"AbsurdNestingIsRefusedInsteadOfExhaustingTheStack", kDeep, {}, "clr tmp2\nldi tmp1,1\n",
                      {"BŁĄD (OASM1) | Błąd określenia wartości: " + kDeep.substr(64, kDeep.size() - 128)}}),
    [](const auto& info) { return std::string(info.param.name); });

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
    h.variables.Declare("x");
    EXPECT_EQ(h.translator.Expressions().TranslateArgument(row.statement, row.n), row.result);
    EXPECT_EQ(h.Program(), row.code);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ArgumentKinds,
    ::testing::Values(ArgumentRow{"ServoSet(3,100);", 2, -100, ""}, ArgumentRow{"ServoSet(3,100);", 3, -1, ""},
                      ArgumentRow{"Cmd(0);", 1, 0, ""}, ArgumentRow{"Cmd();", 1, 0, ""},
                      ArgumentRow{"Cmd(000);", 1, 0, ""}, ArgumentRow{"Cmd(99999999999);", 1, -INT_MAX, ""},
                      ArgumentRow{"Cmd;", 1, 1, ""}, ArgumentRow{"Cmd(x);", 1, 1, Load("x")},
                      ArgumentRow{"Cmd(1.5);", 1, 1, Lines({"ldi tmp2,0", "ldi tmp1,1"})},
                      ArgumentRow{"Cmd(5,x)};", 2, 1, Load("x")}));

}  // namespace
}  // namespace orvane::test
