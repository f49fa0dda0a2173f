// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/script/CallStack.h"
#include "tests/support/RunRig.h"

namespace orvane::script {
namespace {

using host::Answer;
using Strings = std::vector<std::string>;
constexpr Answer No = Answer::No;

// One script run to its end: the variables it leaves, the names it must not leave, and the
// captions of the boxes it asks (answered from `answers`, then Yes).
struct FlowRow {
    const char* script;
    std::map<std::string, double> values;
    Strings absent = {};
    Strings captions = {};
    std::vector<Answer> answers = {};
};

void ExpectRuns(const std::vector<FlowRow>& rows) {
    for (const FlowRow& row : rows) {
        SCOPED_TRACE(row.script);
        test::RunRig rig(row.script);
        for (const auto answer : row.answers) rig.prompts.QueueAnswer(answer);
        rig.controller.mode = 0xFE;
        ASSERT_LT(rig.RunToEnd(20000), 20000) << "the run did not end";
        EXPECT_FALSE(rig.interpreter.RunExists());
        EXPECT_EQ(rig.Captions(), row.captions);
        for (const auto& [name, value] : row.values) EXPECT_EQ(rig.Value(name), value) << name;
        for (const auto& name : row.absent) EXPECT_FALSE(rig.Has(name)) << name;
    }
}

// What the differential test cannot reach: boxes and their answers, loops never entered, the
// start after Main, what a Call's copied table drops, and a subroutine's own blocks.
TEST(Flow, RunsToTheEnd) {
    const char* duplicate = "Var:a; GoTo(L); L: a=1; Exit(); L: a=2;";
    ExpectRuns({
        {"Var:x,n; x=5; while(x<3){x=x+1; n=1;} n=n+2;", {{"x", 5}, {"n", 2}}},
        {"Var:a; a=1; } a=2;", {{"a", 2}}, {}, {"BŁĄD"}}, {"Var:a; a=1; } a=2;", {{"a", 1}}, {}, {"BŁĄD"}, {No}},
        {"Var:a; a=1; Main: Var:b; b=7;", {{"b", 7}}, {"a"}},
        {"GoTo(Nowhere); Var:a; a=1;", {{"a", 1}}, {}, {"Brak etykiety"}}, {"GoTo(Nowhere); Var:a; a=1;", {}, {"a"}, {"Brak etykiety"}, {No}},
        {duplicate, {{"a", 2}}, {}, {"Etykieta (US1)"}}, {duplicate, {{"a", 1}}, {}, {"Etykieta (US1)"}, {No}},
        {"Var:a; GoTo(asm); asm: a=1;", {{"a", 1}}, {}, {"Brak etykiety"}},
        {"Var:x; Call(Sub); x=x+1; Exit(); Sub: Var:y; y=3; Return();", {{"x", 1}}, {"y"}},
        {"Var:a; Call(Nowhere); a=1;", {{"a", 1}}, {}, {"Brak etykiety"}},
        {"Var:i,n; while(i<3){ i=i+1; Run(Sub); } Exit(); Sub: if(1){ n=n+1; Return(); } n=100;", {{"i", 3}, {"n", 3}}},
        {"Var:i,n; while(i<3){ i=i+1; Run(Sub); } Exit(); Sub: GoTo(In); n=100; In: n=n+1; Return();", {{"i", 3}, {"n", 3}}},
        {"Var:i,n; while(i<2){ i=i+1; Run(Sub); } Exit(); Sub: n=n+1; } Return();", {{"i", 2}, {"n", 2}}, {}, {"BŁĄD", "BŁĄD"}},
        {"Var:a,b; a=1; Remove(a);", {{"b", 0}}, {"a"}}, {"Var:a,b; Remove(); Var:c;", {{"c", 0}}, {"a", "b"}},
        {"Var:a; y=1; a=1;", {{"a", 1}}, {}, {"Błąd"}}, {"Var:a; a=1;  // koniec", {{"a", 1}}},
        {"Var:a; a=1; /* x */ \n\n  ", {{"a", 1}}}, {"Var:a; a=1; ˙ a=2;", {{"a", 2}}, {}, {"Błąd"}},  // ˙ is 0xFF in the script's code page
    });
}

// A box names the label, or quotes the statement as read.
TEST(Flow, BoxesNameWhatWentWrong) {
    test::RunRig rig("L: L: Var:a;\nGoTo( Nowhere ) ;\n");
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
                         {"Brak etykiety", "Niezdefiniowana etykieta: GoTo(Nowhere);" + goOn}}));
}

// A loop whose statement keeps failing shows its OK box once, then runs on quietly until Stop;
// another statement's box, and the same box in the next run, are shown again.
TEST(Flow, RepeatedOkBoxIsShownOncePerStatementAndRun) {
    test::RunRig rig("Var:n; while(1){ n = q; n = r; }");
    rig.controller.mode = 0xFE;
    for (int run = 0; run < 2; ++run) {
        rig.interpreter.Start();
        EXPECT_EQ(rig.Ticks(500), 500);
        rig.interpreter.Stop();
        rig.Ticks();
        EXPECT_FALSE(rig.interpreter.RunExists());
    }
    EXPECT_EQ(rig.Captions(), (std::vector<std::string>(4, "BŁĄD (O1)")));
}

// No stops at the limit; Yes unwinds every call and goes on after the first. Copied variables bound
// the depth before the frame count does.
TEST(Flow, RunawayRecursionIsStoppedAtTheDepthLimit) {
    std::string many = "Var:a";
    for (int i = 1; i < 300; ++i) many += ",v" + std::to_string(i);
    const std::tuple<std::string, Answer, std::size_t, double> rows[] = {
        {"Var:a", No, CallStack::kMaxDepth, 0}, {"Var:a", Answer::Yes, 0, 1}, {many, No, CallStack::kMaxSavedVariables / 300, 0}};
    for (const auto& [declaration, answer, depth, a] : rows) {
        test::RunRig rig(declaration + "; Call(Sub); a=a+1; Exit(); Sub: Call(Sub); Return();");
        rig.controller.mode = 0xFE;
        rig.prompts.QueueAnswer(answer);
        rig.RunToEnd();
        ASSERT_EQ(rig.prompts.Boxes().size(), 1u);
        EXPECT_EQ(rig.prompts.Boxes()[0].caption, "BŁĄD");
        EXPECT_EQ(rig.prompts.Boxes()[0].text, "Zbyt głębokie zagnieżdżenie wywołań: Call(Sub);!\n\nCzy kontynuować pracę?");
        EXPECT_EQ(rig.interpreter.State().calls.Size(), depth);
        EXPECT_EQ(rig.Value("a"), a);
    }
}

}  // namespace
}  // namespace orvane::script
