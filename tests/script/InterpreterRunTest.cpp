#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/device/DeviceLink.h"
#include "tests/support/RunRig.h"

namespace orvane::script {
namespace {

using Bytes = std::vector<std::uint8_t>;
using device::DeviceLink;
using host::Answer;

constexpr int kTick = DeviceLink::kTimerRunTick;
constexpr int kList = DeviceLink::kTimerVariableList;

class RunTest : public ::testing::Test, public test::RunRig {
protected:
    RunTest() {
        settings.WriteString("Sprawdzaj odpowiada co", "2");
        settings.WriteString("Sprawdzaj NIE odpowiada co", "5");
    }
    // The selected statement's text without blanks around it.
    std::string Sel() {
        std::string s = Selected();
        while (!s.empty() && (s.back() == '\n' || s.back() == ' ')) s.pop_back();
        return s;
    }
};

// --- start ---------------------------------------------------------------------------------------

struct ModeRow {
    const char* name;
    int mode;         // what the controller reports at the start
    Bytes written;    // every byte the start sends
    std::vector<std::string> captions;
};

void PrintTo(const ModeRow& row, std::ostream* os) { *os << row.name; }

class RunStartTest : public RunTest, public ::testing::WithParamInterface<ModeRow> {};

TEST_P(RunStartTest, BringsTheControllerIntoCommandsMode) {
    const ModeRow& row = GetParam();
    if (row.mode < 0) controller.silent = true;
    else controller.mode = row.mode;
    SetScript("Var:a;");
    editor.SetSelection(2, 4);
    interpreter.Start();

    EXPECT_EQ(wire->Written(), row.written);
    EXPECT_EQ(Captions(), row.captions);
    const bool started = row.captions.empty();
    EXPECT_EQ(interpreter.RunExists(), started);
    EXPECT_EQ(timers.IsRunning(kTick), started);
    EXPECT_EQ(timers.IsRunning(kList), started);
    EXPECT_EQ(editor.VariableListShown(), started);
    // The state check never runs during a run, and is back after a start that failed.
    EXPECT_EQ(timers.IsRunning(DeviceLink::kTimerAnswering) ||
                  timers.IsRunning(DeviceLink::kTimerSilent),
              !started);
    if (!started) {
        std::int32_t start = 0, end = 0;
        editor.GetSelection(start, end);
        EXPECT_EQ(start, 2);
        EXPECT_EQ(end, 4);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, RunStartTest, ::testing::Values(
    ModeRow{"System", 0xFF, {0x00, 0x00, 0xFE}, {}},
    ModeRow{"Komendy", 0xFE, {0x00}, {}},
    ModeRow{"Program", 0x00, {0x00, 0x00, 0xFF, 0x00, 0x00, 0xFE}, {}},
    ModeRow{"BootLoader", 0xF0, {0x00, 0x00, 0xFF, 0x00, 0x00, 0xFE}, {}},
    ModeRow{"Silent", -1, {0x00, 0x00, 0xFF}, {"Błąd (OTS1)", "Tryb pracy(US3)"}}));

TEST_F(RunTest, StartShowsAnEmptyVariableListAndRefreshesItNewestFirst) {
    editor.SetVariableLines({"stare = 1.00"});
    SetScript("Var:a,b; a=1.5; b=-2.126; Wait(100);");
    interpreter.Start();
    EXPECT_TRUE(editor.VariableLines().empty());
    EXPECT_EQ(timers.Period(kList), 300);
    Ticks(4);  // up to the Wait
    interpreter.OnTimer(kList);
    EXPECT_EQ(editor.VariableLines(), (std::vector<std::string>{"b = -2.13", "a = 1.50"}));
}

TEST_F(RunTest, RunStartsAfterMainOrAtTheTop) {
    SetScript("Var:a; a=1; Main: Var:b;");
    interpreter.Step();
    EXPECT_EQ(Sel(), "Var:b;");
    SetScript("Var:a; a=1; Mainly: Var:b;");
    interpreter.Stop();
    Tick();
    interpreter.Step();
    EXPECT_EQ(Sel(), "Var:a;");
}

TEST_F(RunTest, EmptyTextStartsNothing) {
    interpreter.Start();
    EXPECT_TRUE(wire->Written().empty());
    EXPECT_FALSE(interpreter.RunExists());
    EXPECT_FALSE(editor.VariableListShown());
    EXPECT_FALSE(timers.IsRunning(kList));
    EXPECT_TRUE(timers.IsRunning(DeviceLink::kTimerAnswering));
}

// --- end -----------------------------------------------------------------------------------------

TEST_F(RunTest, EndReturnsToSystemAndGivesTheEditorBack) {
    SetScript("Var:a; a=1;");
    editor.SetSelection(3, 5);
    RunToEnd();
    const Bytes written = wire->Written();
    ASSERT_GE(written.size(), 2u);
    EXPECT_EQ(Bytes(written.end() - 2, written.end()), (Bytes{0x00, 0xFF}));
    EXPECT_EQ(link.DeviceMode(), "System");
    EXPECT_FALSE(interpreter.RunExists());
    std::int32_t start = 0, end = 0;
    editor.GetSelection(start, end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 5);
    EXPECT_EQ(editor.FocusRequests(), 1);
    EXPECT_FALSE(editor.VariableListShown());
    EXPECT_FALSE(timers.IsRunning(kList));
    EXPECT_EQ(timers.Period(DeviceLink::kTimerAnswering), 2000);
    EXPECT_TRUE(prompts.Boxes().empty());
    EXPECT_EQ(Value("a"), 1);  // the table stays until the next run
}

TEST_F(RunTest, ControllerThatDoesNotComeBackIsReportedAfterTenSeconds) {
    SetScript("Var:a; a=1;");
    interpreter.Start();
    Tick();
    controller.silent = true;
    const auto before = clock.NowMs();
    Ticks();
    EXPECT_GE(clock.NowMs() - before, 10'000);
    ASSERT_EQ(Captions(), std::vector<std::string>{"BŁĄD (OT1)"});
    EXPECT_EQ(prompts.Boxes()[0].text, "Błąd realizacji powrotu do trybu System!");
    EXPECT_FALSE(interpreter.RunExists());
    EXPECT_EQ(wire->writes.back(), Bytes{0xFF});
}

// --- run commands --------------------------------------------------------------------------------

TEST_F(RunTest, KrokWithoutARunShowsTheFirstStatementThenRunsOneAtATime) {
    SetScript("Var:a;\na=1;\na=2;\n");
    interpreter.Step();
    EXPECT_EQ(link.DeviceMode(), "Komendy");
    EXPECT_EQ(Sel(), "Var:a;");
    EXPECT_FALSE(timers.IsRunning(kTick));
    EXPECT_FALSE(Has("a"));

    interpreter.Step();
    EXPECT_EQ(timers.Period(kTick), 1);
    Tick();
    EXPECT_TRUE(Has("a"));
    EXPECT_EQ(Sel(), "a=1;");
    EXPECT_FALSE(timers.IsRunning(kTick));

    interpreter.Step();
    Tick();
    EXPECT_EQ(Value("a"), 1);
    EXPECT_EQ(Sel(), "a=2;");
    EXPECT_EQ(interpreter.RunCommand(), "Krok");
}

TEST_F(RunTest, StopWhileHaltedEndsAtOnce) {
    SetScript("Var:a;\na=1;\n");
    editor.SetSelection(1, 1);
    interpreter.Step();
    interpreter.Step();
    Tick();
    interpreter.Stop();
    EXPECT_EQ(interpreter.RunCommand(), "Stop");
    EXPECT_EQ(timers.Period(kTick), 1);
    Tick();
    EXPECT_FALSE(interpreter.RunExists());
    EXPECT_EQ(link.DeviceMode(), "System");
    EXPECT_FALSE(Has("a") && Value("a") == 1);
    std::int32_t start = 0, end = 0;
    editor.GetSelection(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 1);
}

TEST_F(RunTest, PauseHaltsAndUruchomGoesOn) {
    SetScript("Var:a; a=1; a=2; a=3;");
    interpreter.Start();
    Tick();
    Tick();
    interpreter.Pause();
    EXPECT_EQ(interpreter.RunCommand(), "Pauza");
    EXPECT_FALSE(timers.IsRunning(kTick));
    EXPECT_EQ(Value("a"), 1);
    EXPECT_EQ(Sel(), "a=1;");  // what ran last stays selected until Krok

    interpreter.Start();
    Ticks();
    EXPECT_EQ(Value("a"), 3);
    EXPECT_FALSE(interpreter.RunExists());
}

TEST_F(RunTest, PauseWithoutARunStartsHalted) {
    SetScript("Var:a; a=1;");
    interpreter.Pause();
    EXPECT_TRUE(interpreter.RunExists());
    EXPECT_FALSE(timers.IsRunning(kTick));
    EXPECT_EQ(Sel(), "Var:a;");
}

TEST_F(RunTest, KrokDuringAContinuousRunHaltsAfterOneStatement) {
    SetScript("Var:a; a=1; a=2;");
    interpreter.Start();
    Tick();
    interpreter.Step();
    Tick();
    EXPECT_EQ(Value("a"), 1);
    EXPECT_FALSE(timers.IsRunning(kTick));
    EXPECT_EQ(Sel(), "a=2;");
}

struct WaitRow {
    const char* argument;
    int periodMs;
};

void PrintTo(const WaitRow& row, std::ostream* os) { *os << "Wait(" << row.argument << ")"; }

class RunWaitTest : public RunTest, public ::testing::WithParamInterface<WaitRow> {};

TEST_P(RunWaitTest, WaitDelaysTheNextTick) {
    SetScript(std::string("Var:a; Wait(") + GetParam().argument + "); a=1;");
    interpreter.Start();
    Tick();
    Tick();
    EXPECT_EQ(timers.Period(kTick), GetParam().periodMs);
    Tick();
    EXPECT_EQ(Value("a"), 1);
}

INSTANTIATE_TEST_SUITE_P(Periods, RunWaitTest, ::testing::Values(
    WaitRow{"500", 500}, WaitRow{"2*250", 500}, WaitRow{"0", 1}, WaitRow{"-3", 1}));

TEST_F(RunTest, WaitInStepModeOnlyMovesOn) {
    SetScript("Var:a; Wait(500); a=1;");
    interpreter.Step();
    for (int i = 0; i < 2; ++i) {
        interpreter.Step();
        Tick();
    }
    EXPECT_FALSE(timers.IsRunning(kTick));
    EXPECT_EQ(Sel(), "a=1;");
}

TEST_F(RunTest, StopDuringAWaitDoesNotSitItOut) {
    SetScript("Var:a; Wait(60000); a=1;");
    interpreter.Start();
    Tick();
    Tick();
    EXPECT_EQ(timers.Period(kTick), 60000);
    interpreter.Stop();
    EXPECT_EQ(timers.Period(kTick), 1);
    Tick();
    EXPECT_FALSE(interpreter.RunExists());
    EXPECT_EQ(Value("a"), 0);
}

TEST_F(RunTest, RestartRunsFromTheTopWithNoVariables) {
    SetScript("Var:t; t=t+1; Main: Var:a; a=a+1; Wait(100); a=a+10;");
    interpreter.Start();
    Ticks(3);  // Var:a, a=a+1, Wait
    EXPECT_EQ(Value("a"), 1);
    EXPECT_FALSE(Has("t"));
    interpreter.Restart();
    EXPECT_FALSE(Has("a"));
    EXPECT_EQ(Selected(), "");
    Ticks();
    EXPECT_EQ(Value("t"), 1);
    EXPECT_EQ(Value("a"), 11);
}

TEST_F(RunTest, ObserverSeesEachStatementAsItIsCarriedOut) {
    SetScript("Var:a;\nif(a==0){\n  a=1;\n}\nelse a=2;\n");
    std::vector<std::string> seen;
    interpreter.SetStatementObserver([&](std::int32_t start, std::int32_t end) {
        seen.push_back(editor.Text().substr(static_cast<std::size_t>(start),
                                            static_cast<std::size_t>(end - start)));
    });
    RunToEnd();
    EXPECT_EQ(seen, (std::vector<std::string>{"Var:a;", "if(a==0)", "a=1;", "}", "else a=2;"}));
}

// --- device commands -----------------------------------------------------------------------------

TEST_F(RunTest, CommandStatementsReachTheControllerInOrder) {
    SetScript("Set(1,300); Ping(); Var:x; x=Read(3)+1;");
    results['R'] = {0x00, 0x2A};
    RunToEnd();
    EXPECT_EQ(frames, (std::vector<Bytes>{{'S', 1, 0x01, 0x2C}, {'P'}, {'R', 3}}));
    EXPECT_EQ(Value("x"), 43);
    EXPECT_TRUE(prompts.Boxes().empty());
}

TEST_F(RunTest, ResultOfACommandStatementIsNotTakenForTheNextEcho) {
    SetScript("Read(1); Set(1,2);");
    results['R'] = {0x01, 0x02};
    RunToEnd();
    EXPECT_TRUE(prompts.Boxes().empty()) << prompts.Boxes()[0].caption;
    EXPECT_EQ(frames.size(), 2u);
}

TEST_F(RunTest, FailedCommandAnsweredNoEndsTheRunUnsentAndBackInSystem) {
    SetScript("Ping(); Set(1,1);");
    badEcho.insert('P');
    prompts.QueueAnswer(Answer::No);
    RunToEnd();
    EXPECT_EQ(Captions(), std::vector<std::string>{"BŁĄD (WP2)"});
    EXPECT_EQ(frames, std::vector<Bytes>{{'P'}});
    EXPECT_FALSE(interpreter.RunExists());
    EXPECT_EQ(link.DeviceMode(), "System");
}

TEST_F(RunTest, FailedCommandAnsweredYesGoesOnWithTheNextStatement) {
    SetScript("Ping(); Set(1,1);");
    badEcho.insert('P');
    RunToEnd();
    EXPECT_EQ(Captions(), std::vector<std::string>{"BŁĄD (WP2)"});
    EXPECT_EQ(frames, (std::vector<Bytes>{{'P'}, {'S', 1, 0x00, 0x01}}));
}

TEST_F(RunTest, NoInAConditionAbandonsTheLoop) {
    SetScript("Var:n; while(Read(1)<5){n=n+1;} n=100;");
    badEcho.insert('R');
    prompts.QueueAnswer(Answer::No);
    RunToEnd();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"BŁĄD (WP2)", "BŁĄD (O2)"}));
    EXPECT_EQ(Value("n"), 0);
    EXPECT_FALSE(interpreter.RunExists());
}

TEST_F(RunTest, FailurePassedOverInALoopConditionKeepsTheLoop) {
    SetScript("Var:n; while(Read(1)<5){n=n+1; if(n==2) Exit();} n=100;");
    badEcho.insert('R');
    RunToEnd(1000);
    EXPECT_EQ(Value("n"), 2);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"BŁĄD (WP2)", "BŁĄD (WP2)"}));
}

TEST_F(RunTest, NoInAWaitArgumentEndsTheRun) {
    SetScript("Var:a; Wait(Read(1)); a=1;");
    badEcho.insert('R');
    prompts.QueueAnswer(Answer::No);
    RunToEnd();
    EXPECT_EQ(Value("a"), 0);
    EXPECT_FALSE(interpreter.RunExists());
}

}  // namespace
}  // namespace orvane::script
