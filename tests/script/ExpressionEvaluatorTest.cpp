// SPDX-License-Identifier: GPL-3.0-or-later
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
using Strings = std::vector<std::string>;
using Vars = std::vector<std::pair<std::string, double>>;  // in declaration order
constexpr double kInf = std::numeric_limits<double>::infinity();

void Declare(ScriptRig& rig, const Vars& vars) {
    for (const auto& [name, value] : vars) rig.Var(name, value);
}

Strings BoxTexts(const ScriptRig& rig, const char* caption, host::Buttons buttons = host::Buttons::Ok) {
    Strings texts;
    for (const auto& box : rig.prompts.Boxes()) {
        EXPECT_EQ(box.caption, caption);
        EXPECT_EQ(box.buttons, buttons);
        texts.push_back(box.text);
    }
    return texts;
}

TEST(Expressions, EvaluateWithoutBoxesOrCalls) {
    std::string longSum = "1";
    for (int i = 0; i < 50'000; ++i) longSum += "+1";
    const struct {
        std::string text;
        double expected;
        Vars vars = {};
    } rows[] = {
        {"2+3*4", 14}, {"10-4-3", 3}, {"8/2/2", 2}, {"10/4*2", 5}, {"-5+2", -3}, {"(1+2)*3", 9},
        {"-(2+3)", -5}, {"1-(2-(3-4))", -2}, {"2(3)", 6}, {"2x", 6, {{"x", 3}}}, {"2,5*2", 5},
        {"1e3", 1000}, {"2.5E-1", 0.25}, {"1.2.3", 1.2}, {"1e+", 1}, {"1e999", kInf}, {"1e-999", 0},
        {"0.0001e400", kInf}, {"5/0", 9.99e+99}, {"-5/0", -9.99e+99}, {"0/0", 9.99e+99},
        {"1;2;", 12}, {"", 0}, {"ab+a", 3, {{"a", 1}, {"ab", 2}}}, {"ab+a", 3, {{"ab", 2}, {"a", 1}}},
        {"\xB9*2", 6, {{"\xB9", 3}}}, {longSum, 50'001},
        {std::string(150, '(') + "7" + std::string(150, ')'), 7},
    };
    for (const auto& c : rows) {
        SCOPED_TRACE(c.text.substr(0, 40));
        ScriptRig rig;
        Declare(rig, c.vars);
        const double value = rig.evaluator.EvaluateExpression(c.text);
        if (std::isinf(c.expected)) EXPECT_EQ(value, c.expected);
        else EXPECT_DOUBLE_EQ(value, c.expected);
        EXPECT_TRUE(rig.prompts.Boxes().empty());
        EXPECT_TRUE(rig.caller.calls.empty());
    }
}

// A quote in a box is a line's worth of what the user wrote, the cut marked.
std::string Cut(const std::string& text) { return text.substr(0, 80) + "…"; }

TEST(Expressions, ReportTheBrokenOperandAndCountItAsMinusOne) {
    const std::string kOpen(100'000, '('), kLong(100'000, 'a');
    const struct {
        std::string text;
        double expected;
        std::string shown;  // after "Błąd określenia wartości: "
        Vars vars = {};
    } rows[] = {
        {"ab+1", -1, "ab+1", {{"a", 1}}}, {"2*-3", -2, "2*-3"}, {"2+", 1, "2+"}, {"2+(1", 1, "2+(1"},
        {"2*((1)", -2, "2*((1)"}, {"1+(q)", 0, "q"}, {"q;", -1, "q;"}, {kOpen, -1, Cut(kOpen)},
        {kLong, -1, Cut(kLong), {{"a", 1}}}, {"\xB9", -1, "ą"},
        {"2+q\xFF", 1, "2+q"},  // the reader's end-of-text mark is no part of the quote
        {"(2))", -2, "(2))\n\nNawias ')' bez pasującego nawiasu '('."},
    };
    for (const auto& c : rows) {
        SCOPED_TRACE(c.text.substr(0, 40));
        ScriptRig rig;
        Declare(rig, c.vars);
        EXPECT_DOUBLE_EQ(rig.evaluator.EvaluateExpression(c.text), c.expected);
        EXPECT_EQ(BoxTexts(rig, "BŁĄD (O1)"), Strings{"Błąd określenia wartości: " + c.shown});
        EXPECT_TRUE(rig.caller.calls.empty());
    }
}

TEST(Expressions, TooDeepNestingIsReportedOnceAndCountsAsMinusOne) {
    ScriptRig rig;
    EXPECT_DOUBLE_EQ(rig.evaluator.EvaluateExpression(std::string(100'000, '(') + "1" + std::string(100'000, ')')), -1);
    EXPECT_EQ(BoxTexts(rig, "BŁĄD (O1)"),
              Strings{"Błąd określenia wartości: " + Cut(std::string(100'000 - 201, '(')) +
                      "\n\nZbyt głębokie zagnieżdżenie nawiasów i wywołań komend (najwyżej 200 poziomów)."});
    EXPECT_EQ(rig.context.nesting, 0);
}

TEST(Expressions, CallTextEndsAtTheFirstParen) {
    ScriptRig rig;
    rig.caller.replies = {5.0, 2.0};
    EXPECT_DOUBLE_EQ(rig.evaluator.EvaluateExpression("1+Read(1,2)*Other(3);"), 11);
    EXPECT_EQ(rig.caller.calls, (Strings{"Read(1.2);", "Other(3);"}));
    EXPECT_TRUE(rig.prompts.Boxes().empty());
}

TEST(Expressions, StopAbandonsTheExpressionWithOneBoxAndTheNextStartsAfresh) {
    ScriptRig rig;
    rig.caller.replies = {std::nullopt};
    EXPECT_DOUBLE_EQ(rig.evaluator.EvaluateExpression("2+(Stop(1)+Read(2))"), 1);
    EXPECT_EQ(rig.caller.calls, Strings{"Stop(1);"});
    EXPECT_EQ(BoxTexts(rig, "BŁĄD (O2)"), Strings{"Błąd obliczenia wartości: Stop(1)+Read(2)"});
    EXPECT_TRUE(rig.context.stopped);
    EXPECT_DOUBLE_EQ(rig.evaluator.EvaluateExpression("3"), 3);
    EXPECT_FALSE(rig.context.stopped);
}

TEST(Conditions, CompareAtTheFirstOperatorOfTheList) {
    const struct {
        const char* statement;
        double x;
        bool expected;
    } rows[] = {
        {"if(x<=3)", 3, true}, {"if(x<3)", 3, false}, {"if(x==3)", 3, true}, {"if(x>=3)", 3, true},
        {"if(x>3)", 3, false}, {"if(x!=1)", 1, false}, {"if(x!=1)", 2, true}, {"if(x)", 0.5, true},
        {"if(x)", 0, false}, {"if((x+1)*2==8)", 3, true}, {"while(x<3){x=x+1;}", 0, true}, {"if", 1, false},
    };
    for (const auto& c : rows) {
        ScriptRig rig;
        rig.Var("x", c.x);
        EXPECT_EQ(rig.evaluator.EvaluateCondition(c.statement), c.expected) << c.statement << " x=" << c.x;
        EXPECT_TRUE(rig.prompts.Boxes().empty());
    }
}

TEST(Conditions, AnUnclosedOneIsReportedAndAStopOnTheLeftSkipsTheRight) {
    ScriptRig rig;
    rig.Var("x", 1);
    EXPECT_FALSE(rig.evaluator.EvaluateCondition("if(x<(3"));
    EXPECT_EQ(BoxTexts(rig, "BŁĄD (O1)"), Strings{"Błąd określenia wartości: x<(3"});

    rig.caller.replies = {std::nullopt};
    EXPECT_FALSE(rig.evaluator.EvaluateCondition("if(Stop(1)<Read(2))"));
    EXPECT_EQ(rig.caller.calls, Strings{"Stop(1);"});
    EXPECT_TRUE(rig.context.stopped);
}

}  // namespace
}  // namespace orvane::script
