#include <gtest/gtest.h>

#include "tests/compiler/TranslationHarness.h"

namespace orvane::test {
namespace {

std::string Acc(const std::string& v) {
    return "ldi ZH,high(" + v + ")\nldi ZL,low(" + v + ")\nld tmp2,Z\nldd tmp1,Z+1\n";
}
std::string Store(const std::string& v) {
    return "ldi ZH,high(" + v + ")\nldi ZL,low(" + v + ")\nst Z,tmp2\nstd Z+1,tmp1\n";
}
std::string Set(const std::string& v, int n) {
    return "ldi tmp2,0\nldi tmp1," + std::to_string(n) + "\n" + Store(v);
}
std::string Compare(const std::string& left, const std::string& right) {
    return Acc(left) + "push tmp1\npush tmp2\n" + Acc(right) + "pop tmp4\npop tmp3\n";
}
const std::string kSave =
    Lines({"push tmp1", "push tmp2", "push tmp3", "push tmp4", "push tmp5", "push tmp6", "push p1",
           "push p2", "push p3", "push p4", "push p5", "push p6"});
const std::string kRestore =
    Lines({"pop p6", "pop p5", "pop p4", "pop p3", "pop p2", "pop p1", "pop tmp6", "pop tmp5",
           "pop tmp4", "pop tmp3", "pop tmp2", "pop tmp1"});
const std::string kLess = "cp tmp3,tmp1\ncpc tmp4,tmp2\n";

// if(a<b) x=1; else x=2; with its labels numbered n.
std::string IfElse(int n) {
    const std::string i = "ORVif" + std::to_string(n);
    return Compare("a", "b") + kLess + "brlo " + i + "Tak\nrjmp " + i + "Nie\n" + i + "Tak:\n" +
           Set("x", 1) + "rjmp " + i + "Koniec\n" + i + "Nie:\n" + Set("x", 2) + i + "Koniec:\n";
}

struct StatementRow {
    const char* name;
    const char* script;
    std::string expected;
};

class StatementCode : public ::testing::TestWithParam<StatementRow> {};

TEST_P(StatementCode, MatchesTemplates) {
    const StatementRow& row = GetParam();
    TranslationHarness h(row.script);
    h.Run();
    EXPECT_EQ(h.Program(), row.expected);
    EXPECT_TRUE(h.Boxes().empty()) << h.Boxes().front().text;
    EXPECT_FALSE(h.Faulty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StatementCode,
    ::testing::Values(
        StatementRow{"Exit", "Exit();", "ret\n"},
        StatementRow{"Return", "Return();", "ret\n"},
        StatementRow{"Restart", "Restart();", "rjmp SMALLBOOTSTART\n"},
        StatementRow{"GoToIsNotLookedUp", "GoTo(Loop);", "rjmp ORVANExlLoop\n"},
        StatementRow{"Label", "Start: Exit();", "ORVANExlStart:\nret\n"},
        StatementRow{"InterruptHookSavesAndRestores", "INT0: RetINT();",
                     "ORVANExlINT0:\n" + kSave + kRestore + "ret\n"},
        StatementRow{"SecondInterruptHook", "INT1: Exit();", "ORVANExlINT1:\n" + kSave + "ret\n"},
        StatementRow{"DeclarationWritesNothing", "Var: a, b;", ""},
        StatementRow{"Assignment", "Var: x; x = 5;", Set("x", 5)},
        StatementRow{"WaitLiteral", "Wait(300);",
                     Lines({"ldi tmp1,44", "ldi tmp2,1", "mov p1,tmp1", "mov p2,tmp2", "rcall WaitS"})},
        StatementRow{"WaitZero", "Wait(0);", Lines({"mov p1,zero", "mov p2,zero", "rcall WaitS"})},
        StatementRow{"WaitExpression", "Var:x; Wait(x*2);",
                     Acc("x") + Lines({"ldi tmp4,0", "ldi tmp3,2", "rcall Pomnoz", "mov p1,tmp1",
                                       "mov p2,tmp2", "rcall WaitS"})},
        StatementRow{"RemoveClearsTheVariable", "Var: x, y; Remove(x); Remove(z);",
                     "ldi ZH,high(x)\nldi ZL,low(x)\nst Z,zero\nstd Z+1,zero\n"},
        StatementRow{"RemoveAllClearsEveryVariable", "Var: x, y; Remove();",
                     "ldi ZH,high(y)\nldi ZL,low(y)\nst Z,zero\nstd Z+1,zero\n"
                     "ldi ZH,high(x)\nldi ZL,low(x)\nst Z,zero\nstd Z+1,zero\n"},
        StatementRow{"CommandStatement", "Set(2, 1000);",
                     Lines({"ldi tmp1,2", "mov p1,tmp1", "ldi tmp1,232", "ldi tmp2,3", "mov p2,tmp1",
                            "mov p3,tmp2", "rcall ServoS"})},
        StatementRow{"CallSavesEveryVariable", "Var: x, y; Sub: Exit(); Call(Sub);",
                     "ORVANExlSub:\nret\n" + Acc("y") + "push tmp1\npush tmp2\n" + Acc("x") +
                         "push tmp1\npush tmp2\nrcall ORVANExlSub\npop tmp2\npop tmp1\n" +
                         Store("x") + "pop tmp2\npop tmp1\n" + Store("y")},
        StatementRow{"RunSavesNothing", "Sub: Exit(); Run(Sub);", "ORVANExlSub:\nret\nrcall ORVANExlSub\n"},
        StatementRow{"While", "Var:i; while(i<10) i=i+1;",
                     "ORVwhileLoop0:\n" + Acc("i") + "push tmp1\npush tmp2\nldi tmp2,0\nldi tmp1,10\n" +
                         "pop tmp4\npop tmp3\n" + kLess +
                         "brlo ORVwhileLoop0OK\nrjmp ORVwhileLoop0Koniec\nORVwhileLoop0OK:\n" +
                         Acc("i") + "ldi tmp4,0\nldi tmp3,1\nadd tmp1,tmp3\nadc tmp2,tmp4\n" +
                         Store("i") + "rjmp ORVwhileLoop0\nORVwhileLoop0Koniec:\n"},
        StatementRow{"WhileOneHasNoTest", "while(1){Exit();}",
                     "ORVwhileLoop0:\nret\nrjmp ORVwhileLoop0\nORVwhileLoop0Koniec:\n"},
        StatementRow{"WhileZeroNeverRuns", "while(0){Exit();}",
                     "ORVwhileLoop0:\nrjmp ORVwhileLoop0Koniec\nORVwhileLoop0OK:\nret\n"
                     "rjmp ORVwhileLoop0\nORVwhileLoop0Koniec:\n"},
        StatementRow{"IfWithoutOperatorTestsForNonZero", "Var:x; if(x) Exit();",
                     Acc("x") + "cp tmp1,zero\ncpc tmp2,zero\nbrne ORVif0Tak\nrjmp ORVif0Nie\n"
                                "ORVif0Tak:\nret\nrjmp ORVif0Koniec\nORVif0Nie:\nORVif0Koniec:\n"},
        StatementRow{"IfElse", "Var:a,b,x; if(a<b) x=1; else x=2;", IfElse(0)},
        StatementRow{"ElseRightAfterSemicolon", "Var:a,b,x; if(a<b) x=1;else x=2;", IfElse(0)},
        StatementRow{"ElseRightAfterBrace", "Var:a,b,x; if(a<b){x=1;}else{x=2;}", IfElse(0)},
        StatementRow{"ElseAfterComment", "Var:a,b,x; if(a<b) x=1; // one\nelse // two\n x=2;",
                     IfElse(0)},
        StatementRow{"IfWithoutElseLeavesTheNextStatement", "Var:a,b,x; if(a<b) x=1; x=2;",
                     Compare("a", "b") + kLess +
                         "brlo ORVif0Tak\nrjmp ORVif0Nie\nORVif0Tak:\n" + Set("x", 1) +
                         "rjmp ORVif0Koniec\nORVif0Nie:\nORVif0Koniec:\n" + Set("x", 2)},
        StatementRow{"WhileAndIfShareTheNumbers", "Var:a,b,x; while(1){} if(a<b) x=1; else x=2;",
                     "ORVwhileLoop0:\nrjmp ORVwhileLoop0\nORVwhileLoop0Koniec:\n" + IfElse(1)},
        StatementRow{"ElseBindsToTheInnerIf", "Var:a,b,x; if(b<a) if(a<b) x=1; else x=2;",
                     Compare("b", "a") + kLess + "brlo ORVif0Tak\nrjmp ORVif0Nie\nORVif0Tak:\n" +
                         IfElse(1) + "rjmp ORVif0Koniec\nORVif0Nie:\nORVif0Koniec:\n"},
        StatementRow{"NestedBlocks", "Var:x; {{x=1;} x=2;} x=3;", Set("x", 1) + Set("x", 2) + Set("x", 3)},
        StatementRow{"AsmSingleLine", "asm:\n  ldi r16,1;\nVar:x; x=1;", "  ldi r16,1\n" + Set("x", 1)},
        StatementRow{"AsmBlockOnNextLine", "asm:\n{\n  ldi r16,1 ; one\n  nop\n}\nVar:x; x=1;",
                     "  ldi r16,1 ; one\n  nop\n" + Set("x", 1)},
        StatementRow{"AsmBlockOnLabelLine", "asm: {\n  nop\n  }\nExit();", "  nop\nret\n"},
        StatementRow{"AsmBlockWithoutEnd", "asm: {\n  nop\n  sleep", "  nop\n  sleep\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ComparisonRow {
    const char* op;
    const char* compare;
    const char* branch;
};

class Comparisons : public ::testing::TestWithParam<ComparisonRow> {};

TEST_P(Comparisons, InWhileAndInIf) {
    const ComparisonRow& row = GetParam();
    const std::string condition = std::string("a") + row.op + "b";
    TranslationHarness loop("Var:a,b; while(" + condition + ") Exit();");
    EXPECT_EQ(loop.Run().Program(),
              "ORVwhileLoop0:\n" + Compare("a", "b") + row.compare + row.branch +
                  " ORVwhileLoop0OK\nrjmp ORVwhileLoop0Koniec\nORVwhileLoop0OK:\nret\n"
                  "rjmp ORVwhileLoop0\nORVwhileLoop0Koniec:\n");
    TranslationHarness branch("Var:a,b; if(" + condition + ") Exit();");
    EXPECT_EQ(branch.Run().Program(),
              Compare("a", "b") + row.compare + row.branch +
                  " ORVif0Tak\nrjmp ORVif0Nie\nORVif0Tak:\nret\nrjmp ORVif0Koniec\nORVif0Nie:\n"
                  "ORVif0Koniec:\n");
    EXPECT_TRUE(loop.Boxes().empty());
    EXPECT_TRUE(branch.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Operators, Comparisons,
                         ::testing::Values(ComparisonRow{"<=", "cp tmp1,tmp3\ncpc tmp2,tmp4\n", "brsh"},
                                           ComparisonRow{"<", "cp tmp3,tmp1\ncpc tmp4,tmp2\n", "brlo"},
                                           ComparisonRow{"==", "cp tmp3,tmp1\ncpc tmp4,tmp2\n", "breq"},
                                           ComparisonRow{"!=", "cp tmp3,tmp1\ncpc tmp4,tmp2\n", "brne"},
                                           ComparisonRow{">=", "cp tmp3,tmp1\ncpc tmp4,tmp2\n", "brsh"},
                                           ComparisonRow{">", "cp tmp1,tmp3\ncpc tmp2,tmp4\n", "brlo"}));

struct StopRow {
    const char* name;
    const char* script;
    int line;
    const char* statement;
    const char* reason;
};

class Stops : public ::testing::TestWithParam<StopRow> {};

// The translation ends at the statement, the user is told where and why, and nothing after it
// is translated.
TEST_P(Stops, SayWhereAndWhy) {
    const StopRow& row = GetParam();
    TranslationHarness h(std::string(row.script) + "\nReturn();");
    h.Run();
    ASSERT_TRUE(h.Stop().has_value());
    EXPECT_EQ(h.Stop()->line, row.line);
    EXPECT_TRUE(h.Faulty());
    ASSERT_EQ(h.Boxes().size(), 1u);
    EXPECT_EQ(h.Boxes()[0].caption, "Błąd tłumaczenia (TASM1)");
    EXPECT_EQ(h.Boxes()[0].text, "Tłumaczenie przerwane w wierszu " + std::to_string(row.line) +
                                     ":\n\"" + row.statement + "\"\n\n" + row.reason +
                                     "\n\nProgram nie zostanie zapisany do urządzenia.");
    EXPECT_EQ(h.Program().find("ret"), std::string::npos) << h.Program();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Stops,
    ::testing::Values(
        StopRow{"KeywordWithoutParentheses", "Exit;", 1, "Exit;", "Brak nawiasów po słowie kluczowym Exit."},
        StopRow{"UndeclaredAssignment", "Var:x;\n\ny=1;", 3, "y=1;", "Zmienna nie została zadeklarowana: y"},
        StopRow{"CallWithoutLabel", "Call(Nowhere);", 1, "Call(Nowhere);", "Niezdefiniowana etykieta: Nowhere"},
        StopRow{"RunWithoutLabel", "Run(Nowhere);", 1, "Run(Nowhere);", "Niezdefiniowana etykieta: Nowhere"},
        StopRow{"NoKnownKind", "x+1;", 1, "x+1;", "Nieznana instrukcja."},
        StopRow{"StrayBrace", "}", 1, "}", "Znak '}' bez znaku '{'!"},
        StopRow{"ElseWithoutIf", "Var:x;\nelse x=1;", 2, "else/x=1;", "else bez poprzedzającego if."},
        StopRow{"InsideABlockStopsEverything", "{\nStart:\n Exit; }", 3, "Exit;",
                "Brak nawiasów po słowie kluczowym Exit."},
        StopRow{"InsideAWhileBody", "while(1) {\n  Foo; }", 2, "Foo;", "Nieznana instrukcja."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StatementTranslator, UndefinedCommandStopsAfterItsOwnBox) {
    TranslationHarness h("Foo(1);\nReturn();");
    h.Run();
    ASSERT_EQ(h.Boxes().size(), 1u);
    EXPECT_EQ(h.Boxes()[0].caption, "Komenda nie zdefiniowana! (WPASM1)");
    ASSERT_TRUE(h.Stop().has_value());
    EXPECT_EQ(h.Program(), "");
}

TEST(StatementTranslator, EndOfTextAfterCommentsIsNoStop) {
    TranslationHarness h("Exit(); // done\n/* nothing */  \n");
    h.Run();
    EXPECT_FALSE(h.Faulty());
    EXPECT_EQ(h.Program(), "ret\n");
}

TEST(StatementTranslator, DeclarationInTheTextAddsAReservation) {
    TranslationHarness h("Var: a; Var: a, b, c;");
    // Collected first, the names need nothing more; declared fresh, a name gets its line, and a
    // name already known ends the statement.
    while (h.Translator().TranslateStatement(-1)) {
    }
    EXPECT_EQ(h.Memory(), "a: .BYTE 2\n");
}

TEST(StatementTranslator, AbsurdNestingStopsInsteadOfExhaustingTheStack) {
    TranslationHarness h(std::string(1000, '{') + std::string(1000, '}'));
    h.Run();
    ASSERT_TRUE(h.Stop().has_value());
    EXPECT_EQ(h.Stop()->reason, host::Pl("Zbyt głębokie zagnieżdżenie instrukcji."));
}

TEST(SymbolCollector, LabelsAndVariablesNewestFirst) {
    TranslationHarness h("Var: x, y; Var: z,,x; A: x=1; B: asm:\n nop\n");
    h.Run();
    std::vector<std::string> vars;
    for (const auto& v : h.Variables().Entries()) vars.push_back(v.name);
    EXPECT_EQ(vars, (std::vector<std::string>{"z", "y", "x"}));
    ASSERT_EQ(h.Labels().Size(), 2u);
    EXPECT_EQ(h.Labels().Entries()[0].name, "B");
    EXPECT_EQ(h.Labels().Entries()[1].name, "A");
    EXPECT_EQ(h.Labels().Entries()[1].position, 24);  // just after its ":"
}

TEST(SymbolCollector, DuplicateLabelAsks) {
    TranslationHarness yes("A: B: A: C:");
    yes.Run();
    ASSERT_EQ(yes.Boxes().size(), 1u);
    EXPECT_EQ(yes.Boxes()[0].caption, "Etykieta (US1)");
    EXPECT_EQ(yes.Boxes()[0].text, "Duplikat Etykiety: A!\n\nCzy kontynuować pracę?");
    EXPECT_EQ(yes.Labels().Size(), 4u);

    TranslationHarness no("A: B: A: C:");
    no.Prompts().QueueAnswer(host::Answer::No);
    no.Run();
    EXPECT_EQ(no.Labels().Size(), 2u);
    EXPECT_FALSE(no.Labels().Contains("C"));
}

}  // namespace
}  // namespace orvane::test
