#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/script/CallStack.h"
#include "tests/support/RunRig.h"

namespace orvane::script {
namespace {

using host::Answer;

// One script run to its end: the variables it leaves, the names it must not leave, and the
// captions of the boxes it asks (answered from `answers`, then Yes).
struct FlowRow {
    const char* name;
    const char* script;
    std::map<std::string, double> values;
    std::vector<std::string> absent = {};
    std::vector<std::string> captions = {};
    std::vector<Answer> answers = {};
};

void PrintTo(const FlowRow& row, std::ostream* os) { *os << row.name; }

class FlowTest : public ::testing::TestWithParam<FlowRow> {};

TEST_P(FlowTest, RunLeavesTheExpectedVariables) {
    const FlowRow& row = GetParam();
    test::RunRig rig(row.script);
    for (const auto answer : row.answers) rig.prompts.QueueAnswer(answer);
    rig.controller.mode = 0xFE;

    const int ticks = rig.RunToEnd(20000);
    ASSERT_LT(ticks, 20000) << "the run did not end";
    EXPECT_FALSE(rig.interpreter.RunExists());
    EXPECT_EQ(rig.Captions(), row.captions);
    for (const auto& [name, value] : row.values) EXPECT_EQ(rig.Value(name), value) << name;
    for (const auto& name : row.absent) EXPECT_FALSE(rig.Has(name)) << name;
}

INSTANTIATE_TEST_SUITE_P(While, FlowTest, ::testing::Values(
    FlowRow{"LastStatementOfTheText", "Var:x; x=0; while(x<3){x=x+1;}", {{"x", 3}}},
    FlowRow{"BodyWithoutBraces", "Var:x; while(x<3) x=x+1;", {{"x", 3}}},
    FlowRow{"FalseAtFirstSkipsTheBody", "Var:x,n; x=5; while(x<3){x=x+1; n=1;} n=n+2;",
            {{"x", 5}, {"n", 2}}},
    FlowRow{"Nested",
            "Var:i,j,n; while(i<3){ j=0; while(j<2){ j=j+1; n=n+1; } i=i+1; } n=n*10;",
            {{"i", 3}, {"j", 2}, {"n", 60}}},
    FlowRow{"BlockInsideTheBody", "Var:i,n; while(i<2){ i=i+1; { n=n+1; } }", {{"n", 2}}},
    FlowRow{"GoToOutOfTheBody",
            "Var:i; while(1){ i=i+1; if(i==3) GoTo(Out); } Out: i=i*10;", {{"i", 30}}}));

INSTANTIATE_TEST_SUITE_P(IfElse, FlowTest, ::testing::Values(
    FlowRow{"TrueRunsTheFirstBranch", "Var:x,a; x=1; if(x==1){a=1;}else{a=2;} a=a+10;",
            {{"a", 11}}},
    FlowRow{"FalseRunsTheElse", "Var:x,a; x=0; if(x==1){a=1;}else{a=2;} a=a+10;", {{"a", 12}}},
    FlowRow{"FalseSkipsOneStatement", "Var:a,b; if(0) a=1; b=2;", {{"a", 0}, {"b", 2}}},
    FlowRow{"ElseWithoutBraces", "Var:a,b; if(0) a=1; else a=3; b=2;", {{"a", 3}, {"b", 2}}},
    FlowRow{"ElseSkippedAfterTrue", "Var:a,b; if(1) a=1; else a=3; b=2;", {{"a", 1}, {"b", 2}}},
    FlowRow{"ElseIfFirst", "Var:x,a; x=1; if(x==1) a=1; else if(x==2) a=2; else a=3;",
            {{"a", 1}}},
    FlowRow{"ElseIfSecond", "Var:x,a; x=2; if(x==1){a=1;} else if(x==2){a=2;} else {a=3;}",
            {{"a", 2}}},
    FlowRow{"ElseIfLast", "Var:x,a; x=3; if(x==1) a=1; else if(x==2) a=2; else a=3;",
            {{"a", 3}}},
    FlowRow{"FalseIfSkipsANestedIfWhole", "Var:a,b; if(0) if(1) a=1; b=2;", {{"a", 0}, {"b", 2}}},
    FlowRow{"ElseBelongsToTheInnerIf", "Var:a,b; if(0) if(1) a=1; else a=5; b=2;",
            {{"a", 0}, {"b", 2}}},
    FlowRow{"InnerElseRunsWhenOuterHolds", "Var:a; if(1) if(0) a=1; else a=5;", {{"a", 5}}},
    FlowRow{"LastStatementOfTheText", "Var:a; if(1){a=1;}", {{"a", 1}}}));

INSTANTIATE_TEST_SUITE_P(Blocks, FlowTest, ::testing::Values(
    FlowRow{"BracedBlockRunsThrough", "Var:a,b; {a=1; b=2;} a=a+10;", {{"a", 11}, {"b", 2}}},
    FlowRow{"StrayBraceYesGoesOn", "Var:a; a=1; } a=2;", {{"a", 2}}, {}, {"BŁĄD"}},
    FlowRow{"StrayBraceNoEnds", "Var:a; a=1; } a=2;", {{"a", 1}}, {}, {"BŁĄD"}, {Answer::No}},
    FlowRow{"BlockHoldingALabelRunsItsContents", "Var:a; {L: a=1;} a=a+2;", {{"a", 3}}},
    FlowRow{"LoopHoldingADeclarationRuns", "Var:i; while(i<2){ Var:t; t=t+1; i=i+1; }",
            {{"i", 2}, {"t", 2}}}));

INSTANTIATE_TEST_SUITE_P(Labels, FlowTest, ::testing::Values(
    FlowRow{"GoToForward", "Var:a; GoTo(Skip); a=1; Skip: a=a+2;", {{"a", 2}}},
    FlowRow{"MainIsWhereTheRunStarts", "Var:a; a=1; Main: Var:b; b=7;", {{"b", 7}}, {"a"}},
    FlowRow{"MissingLabelYesGoesOn", "GoTo(Nowhere); Var:a; a=1;", {{"a", 1}}, {},
            {"Brak etykiety"}},
    FlowRow{"MissingLabelNoEnds", "GoTo(Nowhere); Var:a; a=1;", {}, {"a"}, {"Brak etykiety"},
            {Answer::No}},
    FlowRow{"DuplicateYesJumpsToTheLaterOne", "Var:a; GoTo(L); L: a=1; Exit(); L: a=2;",
            {{"a", 2}}, {}, {"Etykieta (US1)"}},
    FlowRow{"DuplicateNoKeepsTheEarlierOne", "Var:a; GoTo(L); L: a=1; Exit(); L: a=2;",
            {{"a", 1}}, {}, {"Etykieta (US1)"}, {Answer::No}},
    FlowRow{"AsmIsNoLabel", "Var:a; GoTo(asm); asm: a=1;", {{"a", 1}}, {}, {"Brak etykiety"}}));

INSTANTIATE_TEST_SUITE_P(Calls, FlowTest, ::testing::Values(
    FlowRow{"CallGivesTheCallerItsVariablesBack",
            "Var:x; x=1; Call(Sub); x=x+1; Exit(); Sub: x=5; Return();", {{"x", 2}}},
    FlowRow{"RunSharesTheVariables", "Var:x; x=1; Run(Sub); x=x+1; Exit(); Sub: x=5; Return();",
            {{"x", 6}}},
    FlowRow{"DeclaredInACallGoneAfterReturn",
            "Var:x; Call(Sub); x=x+1; Exit(); Sub: Var:y; y=3; Return();", {{"x", 1}}, {"y"}},
    FlowRow{"ReturnWithoutCallEndsTheRun", "Var:a; Return(); a=1;", {{"a", 0}}},
    FlowRow{"CallToAMissingLabel", "Var:a; Call(Nowhere); a=1;", {{"a", 1}}, {}, {"Brak etykiety"}},
    FlowRow{"ReturnFromABlockInsideALoopCall",
            "Var:i,n; while(i<3){ i=i+1; Run(Sub); } Exit(); Sub: if(1){ n=n+1; Return(); } n=100;",
            {{"i", 3}, {"n", 3}}},
    FlowRow{"GoToInsideASubroutineKeepsTheCallersLoop",
            "Var:i,n; while(i<3){ i=i+1; Run(Sub); } Exit(); Sub: GoTo(In); n=100; In: n=n+1; Return();",
            {{"i", 3}, {"n", 3}}},
    FlowRow{"StrayBraceInASubroutineDoesNotCloseTheCallersLoop",
            "Var:i,n; while(i<2){ i=i+1; Run(Sub); } Exit(); Sub: n=n+1; } Return();",
            {{"i", 2}, {"n", 2}}, {}, {"BŁĄD", "BŁĄD"}}));

INSTANTIATE_TEST_SUITE_P(Statements, FlowTest, ::testing::Values(
    FlowRow{"ExitEndsTheRun", "Var:a; Exit(); a=1;", {{"a", 0}}},
    FlowRow{"RemoveOne", "Var:a,b; a=1; Remove(a);", {{"b", 0}}, {"a"}},
    FlowRow{"RemoveAll", "Var:a,b; Remove(); Var:c;", {{"c", 0}}, {"a", "b"}},
    FlowRow{"AssignmentToAnUndeclaredName", "Var:a; y=1; a=1;", {{"a", 1}}, {}, {"Błąd"}},
    FlowRow{"TrailingCommentEndsQuietly", "Var:a; a=1;  // koniec", {{"a", 1}}},
    FlowRow{"TrailingBlanksEndQuietly", "Var:a; a=1; /* x */ \n\n  ", {{"a", 1}}},
    FlowRow{"CharacterFFInsideTheTextIsReported", "Var:a; a=1; ˙ a=2;", {{"a", 2}}, {},
            {"Błąd"}}));

TEST(InterpreterFlow, WhileConditionIsEvaluatedOnceMoreThanTheBodyRuns) {
    test::RunRig rig("Var:x; x=0; while(x<3){x=x+1;}");
    rig.controller.mode = 0xFE;
    int evaluations = 0;
    rig.interpreter.SetStatementObserver([&](std::int32_t start, std::int32_t) {
        if (rig.editor.Text().compare(static_cast<std::size_t>(start), 5, "while") == 0) ++evaluations;
    });
    rig.RunToEnd();
    EXPECT_EQ(rig.Value("x"), 3);
    EXPECT_EQ(evaluations, 4);
}

TEST(InterpreterFlow, BoxesNameWhatWentWrong) {
    test::RunRig rig("L: L: Var:a;\nGoTo( Nowhere ) ;\ny = 1;\n}\n");
    rig.controller.mode = 0xFE;
    rig.RunToEnd();
    std::vector<std::pair<std::string, std::string>> boxes;
    for (const auto& box : rig.prompts.Boxes()) {
        EXPECT_EQ(box.buttons, host::Buttons::YesNo);
        boxes.emplace_back(box.caption, box.text);
    }
    const std::string goOn = "!\n\nCzy kontynuować pracę?";
    EXPECT_EQ(boxes, (std::vector<std::pair<std::string, std::string>>{
                         {"Etykieta (US1)", "Duplikat Etykiety: L" + goOn},
                         {"Brak etykiety", "Niezdefiniowana etykieta: GoTo(Nowhere);" + goOn},
                         {"Błąd", "Błąd komendy: y=1;" + goOn},
                         {"BŁĄD", "Znak '}' bez znaku '{'!!!\n\nCzy kontynuować pracę?"}}));
}

TEST(InterpreterFlow, RunawayRecursionIsStoppedAtTheDepthLimit) {
    test::RunRig rig("Call(Sub); Exit(); Sub: Call(Sub); Return();");
    rig.controller.mode = 0xFE;
    rig.prompts.QueueAnswer(Answer::No);
    rig.RunToEnd();
    EXPECT_EQ(rig.interpreter.State().calls.Size(), CallStack::kMaxDepth);
    ASSERT_EQ(rig.prompts.Boxes().size(), 1u);
    EXPECT_EQ(rig.prompts.Boxes()[0].caption, "BŁĄD");
    EXPECT_EQ(rig.prompts.Boxes()[0].text,
              "Zbyt głębokie zagnieżdżenie wywołań: Call(Sub);!\n\nCzy kontynuować pracę?");
}

TEST(InterpreterFlow, RecursionWithYesUnwindsEveryCall) {
    test::RunRig rig("Var:a; Call(Sub); a=a+1; Exit(); Sub: Call(Sub); Return();");
    rig.controller.mode = 0xFE;
    rig.RunToEnd();
    EXPECT_EQ(rig.Captions(), std::vector<std::string>{"BŁĄD"});
    EXPECT_TRUE(rig.interpreter.State().calls.Empty());
    EXPECT_EQ(rig.Value("a"), 1);
}

TEST(InterpreterFlow, CopiedVariablesBoundTheCallDepthBeforeTheFrameCount) {
    std::string script = "Var:v0";
    for (int i = 1; i < 300; ++i) script += ",v" + std::to_string(i);
    script += "; Call(Sub); Exit(); Sub: Call(Sub); Return();";
    test::RunRig rig(script);
    rig.controller.mode = 0xFE;
    rig.prompts.QueueAnswer(Answer::No);
    rig.RunToEnd();
    EXPECT_EQ(rig.interpreter.State().calls.Size(), CallStack::kMaxSavedVariables / 300);
}

}  // namespace
}  // namespace orvane::script
