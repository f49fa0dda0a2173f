#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/ScriptRig.h"

namespace orvane::script {
namespace {

using test::ScriptRig;
using Vars = std::vector<std::pair<std::string, double>>;  // in declaration order

struct ValueCase {
    const char* name;
    std::string text;
    double expected;
    Vars vars = {};
};

class Evaluates : public ::testing::TestWithParam<ValueCase> {};

TEST_P(Evaluates, ToTheExpectedValueWithoutBoxesOrCalls) {
    const auto& c = GetParam();
    ScriptRig rig;
    for (const auto& [name, value] : c.vars) rig.Var(name, value);
    const double value = rig.evaluator.EvaluateExpression(c.text);
    if (std::isinf(c.expected)) EXPECT_EQ(value, c.expected);
    else EXPECT_DOUBLE_EQ(value, c.expected);
    EXPECT_TRUE(rig.prompts.Boxes().empty());
    EXPECT_TRUE(rig.caller.calls.empty());
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Expressions, Evaluates,
    ::testing::Values(
        ValueCase{"Precedence", "2+3*4", 14}, ValueCase{"SubtractLeftToRight", "10-4-3", 3},
        ValueCase{"MixedSigns", "10-4+3", 9}, ValueCase{"DivideLeftToRight", "8/2/2", 2},
        ValueCase{"MultiplyAfterDivide", "10/4*2", 5}, ValueCase{"LeadingMinus", "-5+2", -3},
        ValueCase{"Group", "(1+2)*3", 9},
        ValueCase{"NegatedGroup", "-(2+3)", -5}, ValueCase{"NestedGroups", "1-(2-(3-4))", -2},
        ValueCase{"ImplicitProduct", "2(3)", 6},
        ValueCase{"ImplicitWithVariable", "2x", 6, {{"x", 3}}},
        ValueCase{"DecimalComma", "2,5*2", 5}, ValueCase{"Exponent", "1e3", 1000},
        ValueCase{"NegativeExponent", "2.5E-1", 0.25},
        ValueCase{"LongestPrefix", "1.2.3", 1.2}, ValueCase{"DanglingExponent", "1e+", 1},
        ValueCase{"HugeNumber", "1e999", kInf}, ValueCase{"TinyNumber", "1e-999", 0},
        ValueCase{"ZeroesThenHuge", "0.0001e400", kInf},
        ValueCase{"DivideByZero", "5/0", 9.99e+99}, ValueCase{"NegativeByZero", "-5/0", -9.99e+99},
        ValueCase{"ZeroByZero", "0/0", 9.99e+99},
        ValueCase{"SemicolonsRemoved", "1;2;", 12}, ValueCase{"Empty", "", 0},
        ValueCase{"LongerNameWins", "ab+a", 3, {{"a", 1}, {"ab", 2}}},
        ValueCase{"LongerNameWinsEitherOrder", "ab+a", 3, {{"ab", 2}, {"a", 1}}},
        ValueCase{"PolishName", "\xB9*2", 6, {{"\xB9", 3}}},
        ValueCase{"LongSum", "1" + [] {
            std::string s;
            for (int i = 0; i < 50'000; ++i) s += "+1";
            return s;
        }(), 50'001},
        ValueCase{"Assignment", "a*2+(b-3)/4", 11, {{"a", 5}, {"b", 7}}},
        ValueCase{"DeepButAllowed", std::string(150, '(') + "7" + std::string(150, ')'), 7}),
    [](const auto& info) { return std::string(info.param.name); });

struct BoxCase {
    const char* name;
    std::string text;
    double expected;
    std::vector<std::string> boxTexts;  // UTF-8; every box is an OK box
    std::vector<std::string> calls = {};
    Vars vars = {};
};

class Reports : public ::testing::TestWithParam<BoxCase> {};

TEST_P(Reports, TheBrokenOperandAsMinusOne) {
    const auto& c = GetParam();
    ScriptRig rig;
    for (const auto& [name, value] : c.vars) rig.Var(name, value);
    EXPECT_DOUBLE_EQ(rig.evaluator.EvaluateExpression(c.text), c.expected);
    std::vector<std::string> texts;
    for (const auto& box : rig.prompts.Boxes()) {
        EXPECT_EQ(box.caption, "BŁĄD (O1)");
        EXPECT_EQ(box.buttons, host::Buttons::Ok);
        texts.push_back(box.text);
    }
    EXPECT_EQ(texts, c.boxTexts);
    EXPECT_EQ(rig.caller.calls, c.calls);
}

const std::string kDeep = std::string(100'000, '(') + "1" + std::string(100'000, ')');

INSTANTIATE_TEST_SUITE_P(
    Expressions, Reports,
    ::testing::Values(
        BoxCase{"UnknownPrefixName", "ab+1", -1, {"Błąd określenia wartości: ab+1"}, {}, {{"a", 1}}},
        BoxCase{"SignAfterOperator", "2*-3", -2, {"Błąd określenia wartości: 2*-3"}},
        BoxCase{"OperatorAtEnd", "2+", 1, {"Błąd określenia wartości: 2+"}},
        BoxCase{"UnclosedGroup", "2+(1", 1, {"Błąd określenia wartości: 2+(1"}},
        BoxCase{"UnclosedInsideGroup", "2*((1)", -2, {"Błąd określenia wartości: 2*((1)"}},
        BoxCase{"UnknownInGroupNamesGroup", "1+(q)", 0, {"Błąd określenia wartości: q"}},
        BoxCase{"OriginalTextShown", "q;", -1, {"Błąd określenia wartości: q;"}},
        BoxCase{"OnlyOpenings", std::string(100'000, '('), -1,
                {"Błąd określenia wartości: " + std::string(100'000, '(')}},
        BoxCase{"LongNameIsNoPrefix", std::string(100'000, 'a'), -1,
                {"Błąd określenia wartości: " + std::string(100'000, 'a')}, {}, {{"a", 1}}},
        BoxCase{"HighBytesAreNoVariable", "\xB9", -1, {"Błąd określenia wartości: ą"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Nesting, TooDeepIsReportedOnceAndCountsAsMinusOne) {
    ScriptRig rig;
    EXPECT_DOUBLE_EQ(rig.evaluator.EvaluateExpression(kDeep), -1);
    ASSERT_EQ(rig.prompts.Boxes().size(), 1u);
    EXPECT_EQ(rig.prompts.Boxes()[0].caption, "BŁĄD (O1)");
    EXPECT_EQ(rig.context.nesting, 0);
}

TEST(CommandCalls, CallTextEndsAtFirstParenAndTheRestGoesOn) {
    ScriptRig rig;
    rig.caller.replies = {5.0, 2.0};
    EXPECT_DOUBLE_EQ(rig.evaluator.EvaluateExpression("1+Read(1,2)*Other(3);"), 11);
    EXPECT_EQ(rig.caller.calls, (std::vector<std::string>{"Read(1.2);", "Other(3);"}));
    EXPECT_TRUE(rig.prompts.Boxes().empty());
}

TEST(CommandCalls, StrayClosingParenIsCalledAsCommand) {
    ScriptRig rig;
    EXPECT_DOUBLE_EQ(rig.evaluator.EvaluateExpression("(2))"), 0);
    EXPECT_EQ(rig.caller.calls, (std::vector<std::string>{");"}));
}

TEST(CommandCalls, StopAbandonsTheExpressionWithOneBox) {
    ScriptRig rig;
    rig.caller.replies = {std::nullopt};
    EXPECT_DOUBLE_EQ(rig.evaluator.EvaluateExpression("2+(Stop(1)+Read(2))"), 1);
    EXPECT_EQ(rig.caller.calls, (std::vector<std::string>{"Stop(1);"}));
    ASSERT_EQ(rig.prompts.Boxes().size(), 1u);
    EXPECT_EQ(rig.prompts.Boxes()[0].caption, "BŁĄD (O2)");
    EXPECT_EQ(rig.prompts.Boxes()[0].text, "Błąd obliczenia wartości: Stop(1)+Read(2)");
    EXPECT_TRUE(rig.context.stopped);

    // The next statement starts afresh.
    EXPECT_DOUBLE_EQ(rig.evaluator.EvaluateExpression("3"), 3);
    EXPECT_FALSE(rig.context.stopped);
}

struct ConditionCase {
    const char* name;
    const char* statement;
    double x;
    bool expected;
};

class Condition : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(Condition, ComparesAtTheFirstOperatorOfTheList) {
    const auto& c = GetParam();
    ScriptRig rig;
    rig.Var("x", c.x);
    EXPECT_EQ(rig.evaluator.EvaluateCondition(c.statement), c.expected);
    EXPECT_TRUE(rig.prompts.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, Condition,
    ::testing::Values(ConditionCase{"LessEqualAtBound", "if(x<=3)", 3, true},
                      ConditionCase{"LessAtBound", "if(x<3)", 3, false},
                      ConditionCase{"Equal", "if(x==3)", 3, true},
                      ConditionCase{"GreaterEqual", "if(x>=3)", 3, true},
                      ConditionCase{"Greater", "if(x>3)", 3, false},
                      ConditionCase{"NotEqualFalse", "if(x!=1)", 1, false},
                      ConditionCase{"NotEqualTrue", "if(x!=1)", 2, true},
                      ConditionCase{"BareFraction", "if(x)", 0.5, true},
                      ConditionCase{"BareZero", "if(x)", 0, false},
                      ConditionCase{"GroupsInside", "if((x+1)*2==8)", 3, true},
                      ConditionCase{"WhileWithBody", "while(x<3){x=x+1;}", 0, true},
                      ConditionCase{"NoParenthesis", "if", 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Conditions, UnclosedConditionIsReportedAndFalse) {
    ScriptRig rig;
    rig.Var("x", 1);
    EXPECT_FALSE(rig.evaluator.EvaluateCondition("if(x<(3"));
    ASSERT_EQ(rig.prompts.Boxes().size(), 1u);
    EXPECT_EQ(rig.prompts.Boxes()[0].text, "Błąd określenia wartości: x<(3");
}

TEST(Conditions, StopOnTheLeftSkipsTheRight) {
    ScriptRig rig;
    rig.caller.replies = {std::nullopt};
    EXPECT_FALSE(rig.evaluator.EvaluateCondition("if(Stop(1)<Read(2))"));
    EXPECT_EQ(rig.caller.calls, (std::vector<std::string>{"Stop(1);"}));
    EXPECT_TRUE(rig.context.stopped);
}

}  // namespace
}  // namespace orvane::script
