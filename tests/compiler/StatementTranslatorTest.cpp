// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>

#include "tests/compiler/TranslationHarness.h"
#include "tests/support/RowName.h"

namespace orvane::test {
namespace {

std::string Set(const std::string& v, int n) { return "ldi tmp2,0\nldi tmp1," + std::to_string(n) + "\n" + Store(v); }
const std::string kSave = Lines({"push tmp1", "push tmp2", "push tmp3", "push tmp4", "push tmp5", "push tmp6",
                                 "push p1", "push p2", "push p3", "push p4", "push p5", "push p6"});
const std::string kRestore = Lines({"pop p6", "pop p5", "pop p4", "pop p3", "pop p2", "pop p1", "pop tmp6",
                                    "pop tmp5", "pop tmp4", "pop tmp3", "pop tmp2", "pop tmp1"});

const std::string kPush = "push tmp1\npush tmp2\n";
const std::string kAdd = "add tmp1,tmp3\nadc tmp2,tmp4\n";
const std::string kShift = "lsl tmp1\nrol tmp2\n";
const std::string kDeep = std::string(1000, '(') + "1" + std::string(1000, ')');

struct StatementRow {
    const char* name;
    std::string script;
    std::string expected;
    std::vector<std::string> boxes = {};
};
// r = expression, with x, y, z, w declared.
StatementRow Expr(const char* name, const std::string& text, const std::string& code, std::vector<std::string> boxes = {}) {
    return {name, "Var: r, x, y, z, w; r = " + text + ";", code + Store("r"), std::move(boxes)};
}

// A statement that stops the translation: nothing after it (the Return) is translated.
StatementRow Stop(const char* name, const std::string& script, int line, const std::string& statement,
                  const std::string& reason, const std::string& before = "") {
    return {name, script + "\nReturn();", before,
            {"Błąd tłumaczenia (TASM1) | Tłumaczenie przerwane w wierszu " + std::to_string(line) + ":\n\"" + statement +
             "\"\n\n" + reason + "\n\nProgram nie zostanie zapisany do urządzenia."}};
}
const char* kUnknown = "Nieznana instrukcja.";
const std::string kNest = std::string(1000, '{') + std::string(1000, '}');

class StatementCode : public ::testing::TestWithParam<StatementRow> {};

TEST_P(StatementCode, MatchesTemplates) {
    TranslationHarness h(GetParam().script);
    EXPECT_EQ(h.Run().Program(), GetParam().expected);
    EXPECT_EQ(h.prompts.Shown(), GetParam().boxes);
    EXPECT_EQ(h.context.Faulty(), !GetParam().boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StatementCode,
    ::testing::Values(
        StatementRow{"GoToIsNotLookedUp", "GoTo(Loop);", "rjmp ORVANExlLoop\n"},
        StatementRow{"InterruptHookSavesAndRestores", "INT0: RetINT();", "ORVANExlINT0:\n" + kSave + kRestore + "ret\n"},
        StatementRow{"NegativeConstantInTwosComplement", "Neg(100);",
                     Lines({"ldi tmp1,212", "ldi tmp2,254", "mov p1,tmp1", "mov p2,tmp2", "rcall WaitS"})},
        StatementRow{"OneByteLiteralClampedAt255", "Led(200, 7);",
                     Lines({"ldi tmp1,255", "mov p1,tmp1", "ldi tmp1,42", "ldi tmp2,0", "mov p2,tmp1", "mov p3,tmp2",
                            "rcall LEDS"})},
        StatementRow{"MissingArgumentIsLiteralOne", "Two(2);",
                     Lines({"ldi tmp1,6", "mov p1,tmp1", "ldi tmp1,1", "mov p2,tmp1", "rcall LEDS"})},
        StatementRow{"PowerOfTwoMultiplierIsShifts", "Var: x; Shift(x);",
                     Load("x") + kShift + kShift + kShift + Lines({"mov p1,tmp1", "mov p2,tmp2", "rcall ServoS"})},
        StatementRow{"WhileZeroNeverRuns", "while(0){Return();}",
                     "ORVwhileLoop0:\nrjmp ORVwhileLoop0Koniec\nORVwhileLoop0OK:\nret\n"
                     "rjmp ORVwhileLoop0\nORVwhileLoop0Koniec:\n"},
        StatementRow{"WhileTestsItsConditionsValueEachTime", "Var: x; while(x){x=0;}",
                     "ORVwhileLoop0:\n" + Load("x") +
                         Lines({"cp tmp1,zero", "cpc tmp2,zero", "brne ORVwhileLoop0OK", "rjmp ORVwhileLoop0Koniec",
                                "ORVwhileLoop0OK:"}) +
                         Set("x", 0) + "rjmp ORVwhileLoop0\nORVwhileLoop0Koniec:\n"},
        StatementRow{"AsmBlockOnNextLine", "asm:\n{\n  ldi r16,1 ; one\n  nop\n}\nVar:x; x=1;",
                     "  ldi r16,1 ; one\n  nop\n" + Set("x", 1)},
        StatementRow{"AsmLineAndBlockWithoutEnd", "asm:\n  ldi r16,1;\nasm: {\n  nop\n  sleep", "  ldi r16,1\n  nop\n  sleep\n"},
        Expr("DecimalCommaCutToInteger", "1,5", Lines({"ldi tmp2,0", "ldi tmp1,1"})),
        Expr("CallWithTwoByteResultFirst", "Read(3)+1",
             Lines({"ldi tmp1,3", "mov p1,tmp1", "rcall ServoR", "ldi tmp4,0", "ldi tmp3,1"}) + kAdd),
        Expr("CallWithOneByteResultAsOperand", "x+Get(2)",
             Load("x") + kPush + Lines({"ldi tmp1,2", "mov p1,tmp1", "rcall DOG", "clr tmp2", "mov tmp4,tmp2",
                                        "mov tmp3,tmp1", "pop tmp2", "pop tmp1"}) + kAdd),
        Expr("ResultDivisorHalves", "Half(1)", Lines({"ldi tmp1,1", "mov p1,tmp1", "rcall ServoR", "lsr tmp2", "ror tmp1"})),
        Expr("ResultMultiplierThenDivisor", "Volt()",
             "rcall ADIAxR\n" + kShift + kShift + kShift +
                 Lines({"ldi tmp4,2", "ldi tmp3,113", "rcall Pomnoz", "ldi tmp4,3", "ldi tmp3,255", "rcall Podziel"})),
        Expr("UnknownOperandCountsAsOne", "x+q*7", Load("x") + Lines({"clr tmp2", "ldi tmp1,1"}),
             {"BŁĄD (OASM1) | Błąd określenia wartości: x+q*7;"}),
        Expr("UndefinedCallIsReportedAndTheExpressionGoesOn", "Nope(1)+2", Lines({"ldi tmp4,0", "ldi tmp3,2"}) + kAdd,
             {"Komenda nie zdefiniowana! (WPASM1) | Komenda niezdefiniowana:  \"Nope(1);\"!"}),
        Expr("AbsurdNestingIsRefusedInsteadOfExhaustingTheStack", kDeep, "clr tmp2\nldi tmp1,1\n",
             {"BŁĄD (OASM1) | Błąd określenia wartości: " + kDeep.substr(64, 80) +
              "…\n\nZbyt głębokie zagnieżdżenie nawiasów (najwyżej 64 poziomy)."}),
        Expr("AStrayCloserIsSaidToBeOne", "2)", "ldi tmp2,0\nldi tmp1,2\nclr tmp2\nldi tmp1,1\n",
             {"BŁĄD (OASM1) | Błąd określenia wartości: 2);\n\nNawias ')' bez pasującego nawiasu '('."}),
        Stop("KeywordWithoutParentheses", "Exit;", 1, "Exit;", "Brak nawiasów po słowie kluczowym Exit."),
        Stop("UndeclaredAssignment", "Var:x;\n\ny=1;", 3, "y=1;", "Zmienna nie została zadeklarowana: y"),
        Stop("CallWithoutLabel", "Call(Nowhere);", 1, "Call(Nowhere);", "Niezdefiniowana etykieta: Nowhere"),
        Stop("NoKnownKind", "x+1;", 1, "x+1;", kUnknown),
        Stop("StrayBrace", "}", 1, "}", "Znak '}' bez znaku '{'!"),
        Stop("ElseWithoutIf", "Var:x;\nelse x=1;", 2, "else/x=1;", "else bez poprzedzającego if."),
        Stop("ElseWithoutIfHoldingACall", "else Set(1, 2);", 1, "else/Set(1,2);", "else bez poprzedzającego if."),
        Stop("InsideAWhileBody", "while(1) {\n  Foo; }", 2, "Foo;", kUnknown, "ORVwhileLoop0:\n"),
        StatementRow{"UndefinedCommandStopsAfterItsOwnBox", "Foo(1);\nReturn();", "",
                     {"Komenda nie zdefiniowana! (WPASM1) | Komenda niezdefiniowana:  \"Foo(1);\"!"}},
        Stop("AbsurdNestingInsteadOfExhaustingTheStack", kNest, 1, kNest.substr(200, 80) + "…",
             "Zbyt głębokie zagnieżdżenie instrukcji.")),
    RowName<&StatementRow::name>{});

// A literal beyond the int range must not overflow into a small one.
TEST(ExpressionTranslator, HugeLiteralArgumentIsClamped) {
    EXPECT_EQ(TranslationHarness("").translator.Expressions().TranslateArgument("Cmd(99999999999);", 1), -INT_MAX);
}

TEST(SymbolCollector, DuplicateLabelAsksWhetherToGoOn) {
    for (const host::Answer answer : {host::Answer::Yes, host::Answer::No}) {
        TranslationHarness h("A: B: A: C:");
        h.prompts.QueueAnswer(answer);
        h.Run();
        EXPECT_EQ(h.prompts.Shown(), std::vector<std::string>{"Etykieta (US1) | Duplikat Etykiety: A!\n\nCzy kontynuować pracę?"});
        EXPECT_EQ(h.labels.Contains("C"), answer == host::Answer::Yes);
    }
}

}  // namespace
}  // namespace orvane::test
