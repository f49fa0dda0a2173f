// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/support/RowName.h"
#include "tests/support/RunRig.h"

namespace orvane::script {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Strings = std::vector<std::string>;
using device::DeviceLink;
using host::Answer;

constexpr int kTick = Interpreter::kTimerRunTick;
constexpr int kList = Interpreter::kTimerVariableList;


class RunTest : public ::testing::Test, public test::RunRig {
protected:
    RunTest() { settings.WriteString("Sprawdzaj NIE odpowiada co", "5"); }
    bool StateCheckRuns() const {
        return timers.IsRunning(DeviceLink::kTimerAnswering) || timers.IsRunning(DeviceLink::kTimerSilent);
    }
};

struct ModeRow {
    const char* name;
    int mode;        // what the controller reports at the start; -1: it is silent
    Bytes written;   // every byte the start sends
    Strings captions;
};

class RunStartTest : public RunTest, public ::testing::WithParamInterface<ModeRow> {};

TEST_P(RunStartTest, BringsTheControllerIntoCommandsMode) {
    const ModeRow& row = GetParam();
    controller.silent = row.mode < 0;
    controller.mode = row.mode;
    SetScript("Var:a;");
    editor.SetSelection(2, 4);
    interpreter.Start();

    EXPECT_EQ(wire->Written(), row.written);
    EXPECT_EQ(Captions(), row.captions);
    const bool started = row.captions.empty();
    EXPECT_EQ(interpreter.RunExists() && editor.VariableListShown(), started);
    EXPECT_EQ(std::make_pair(timers.Period(kTick), timers.Period(kList)), started ? std::pair(1, 300) : std::pair(-1, -1));
    EXPECT_EQ(StateCheckRuns(), !started);  // never during a run, back after a failed start
    if (!started) { EXPECT_EQ(Selected(), "r:"); }  // the selection given back
}

INSTANTIATE_TEST_SUITE_P(Modes, RunStartTest, ::testing::Values(
    ModeRow{"System", 0xFF, {0x00, 0x00, 0xFE}, {}},
    ModeRow{"Komendy", 0xFE, {0x00}, {}},
    ModeRow{"Program", 0x00, {0x00, 0x00, 0xFF, 0x00, 0x00, 0xFE}, {}},
    ModeRow{"Silent", -1, {0x00, 0x00, 0xFF}, {"Błąd (OTS1)", "Tryb pracy(US3)"}}),
    test::RowName<&ModeRow::name>{});

TEST_F(RunTest, EndReturnsToSystemAndGivesTheEditorBack) {
    editor.SetVariableLines({"stare = 1.00"});
    SetScript("Var:a,b; a=1.5; b=-2.126;");
    editor.SetSelection(3, 5);
    interpreter.Start();
    EXPECT_TRUE(editor.VariableLines().empty());  // the list starts empty
    Ticks(3);
    interpreter.OnTimer(kList);
    EXPECT_EQ(editor.VariableLines(), (Strings{"b = -2.13", "a = 1.50"}));
    Ticks();

    const Bytes written = wire->Written();
    EXPECT_EQ(Bytes(written.end() - 2, written.end()), (Bytes{0x00, 0xFF}));
    EXPECT_EQ(ModeName(link.Mode()), "System");
    EXPECT_EQ(Selected(), ":a");
    EXPECT_FALSE(editor.VariableListShown() || timers.IsRunning(kList));
    EXPECT_TRUE(StateCheckRuns());
    EXPECT_EQ(Value("a"), 1.5);  // the table stays until the next run
}

TEST_F(RunTest, ControllerThatDoesNotComeBackIsReportedAfterTenSeconds) {
    SetScript("Var:a; a=1;");
    interpreter.Start();
    Tick();
    controller.silent = true;
    const auto before = clock.NowMs();
    Ticks();
    EXPECT_GE(clock.NowMs() - before, 10'000);
    ASSERT_EQ(Captions(), Strings{"BŁĄD (OT1)"});
    EXPECT_EQ(wire->writes.back(), Bytes{0xFF});
    EXPECT_FALSE(interpreter.RunExists());
}

// Actions: u Uruchom, k Krok, p Pauza, s Stop, r Restart, t one tick, T ticks while one is pending.
struct CommandsRow {
    const char* name;
    const char* script;
    const char* actions;
    const char* selected;  // the selection at the end, blanks around it dropped
    bool running;
    int tickPeriod;        // the pending run tick, -1 for none
    std::map<std::string, double> values = {};
    Strings absent = {};
    int breakLine = -1;    // a breakpoint on this line
};

class RunCommandsTest : public RunTest, public ::testing::WithParamInterface<CommandsRow> {};

TEST_P(RunCommandsTest, LeaveTheRunAsExpected) {
    const CommandsRow& row = GetParam();
    SetScript(row.script);
    interpreter.SetBreakCheck([&](std::int32_t start, std::int32_t) { return editor.LineFromPosition(start) == row.breakLine; });
    for (const char* a = row.actions; *a; ++a) {
        switch (*a) {
            case 'u': interpreter.Start(); break;
            case 'k': interpreter.Step(); break;
            case 'p': interpreter.Pause(); break;
            case 's': interpreter.Stop(); break;
            case 'r': interpreter.Restart(); break;
            case 't': ASSERT_TRUE(Tick()) << "no tick pending at " << a - row.actions; break;
            case 'T': Ticks(); break;
            default: break;
        }
    }
    std::string selected = Selected();
    while (!selected.empty() && std::isspace(static_cast<unsigned char>(selected.back()))) selected.pop_back();
    EXPECT_EQ(selected, row.selected);
    EXPECT_EQ(interpreter.RunExists(), row.running);
    EXPECT_EQ(timers.Period(kTick), row.tickPeriod);
    for (const auto& [name, value] : row.values) EXPECT_EQ(Value(name), value) << name;
    for (const auto& name : row.absent) EXPECT_FALSE(Has(name)) << name;
    if (!row.running) { EXPECT_EQ(ModeName(link.Mode()), "System"); }
}

constexpr const char* kThree = "Var:a;\na=1;\na=2;\n";
constexpr const char* kCount = "Var:a; a=1; a=2; a=3;";

INSTANTIATE_TEST_SUITE_P(Commands, RunCommandsTest, ::testing::Values(
    CommandsRow{"KrokShowsTheFirstStatementUnrun", kThree, "k", "Var:a;", true, -1, {}, {"a"}},
    CommandsRow{"KrokRunsOneStatement", kThree, "kkt", "a=1;", true, -1, {{"a", 0}}},
    CommandsRow{"StopWhileHaltedEndsAtOnce", kThree, "kktst", "", false, -1},
    CommandsRow{"PauseHalts", kCount, "uttp", "a=1;", true, -1, {{"a", 1}}},
    CommandsRow{"UruchomGoesOnAfterPause", kCount, "uttpuT", "", false, -1, {{"a", 3}}},
    CommandsRow{"PauseWithoutARunStartsHalted", kCount, "p", "Var:a;", true, -1},
    CommandsRow{"KrokDuringARunHaltsAfterOne", kCount, "utkt", "a=2;", true, -1, {{"a", 1}}},
    CommandsRow{"BreakpointHaltsBeforeItsStatement", kThree, "uT", "a=2;", true, -1, {{"a", 1}}, {}, 2},
    CommandsRow{"KrokCarriesOutTheStatementHaltedAt", kThree, "uTkt", "", true, -1, {{"a", 2}}, {}, 2},
    CommandsRow{"RunStartsAfterMain", "Var:a; a=1; Main: Var:b;", "k", "Var:b;", true, -1},
    CommandsRow{"OnlyMainIsTheStart", "Var:a; a=1; Mainly: Var:b;", "k", "Var:a;", true, -1},
    CommandsRow{"RestartClearsTheVariables", "Var:t; t=t+1; Main: Var:a; a=a+1; Wait(100);", "utttr",
                "", true, 100, {}, {"a", "t"}},
    CommandsRow{"RestartGoesOnFromTheTop", "Var:t; t=t+1; Main: Var:a; a=a+1; Wait(100); a=a+10;",
                "utttrT", "", false, -1, {{"t", 1}, {"a", 11}}}),
    test::RowName<&CommandsRow::name>{});

INSTANTIATE_TEST_SUITE_P(Wait, RunCommandsTest, ::testing::Values(
    CommandsRow{"DelaysTheNextTick", "Var:a; Wait(2*250); a=1;", "utt", "Wait(2*250);", true, 500},
    CommandsRow{"NegativeIsOneTick", "Var:a; Wait(-3); a=1;", "utt", "Wait(-3);", true, 1},
    CommandsRow{"InStepModeOnlyMovesOn", "Var:a; Wait(500); a=1;", "kktkt", "a=1;", true, -1},
    CommandsRow{"StopDoesNotSitItOut", "Var:a; Wait(60000); a=1;", "utts", "Wait(60000);", true, 1},
    CommandsRow{"StopEndsAtTheNextTick", "Var:a; Wait(60000); a=1;", "uttst", "", false, -1,
                {{"a", 0}}}), test::RowName<&CommandsRow::name>{});

struct DeviceRow {
    const char* name;
    const char* script;
    std::set<std::uint8_t> badEcho;
    std::vector<Answer> answers;
    std::vector<Bytes> frames;
    Strings captions;
    std::map<std::string, double> values = {};
};

class RunDeviceTest : public RunTest, public ::testing::WithParamInterface<DeviceRow> {};

TEST_P(RunDeviceTest, CommandsAndTheirFailures) {
    const DeviceRow& row = GetParam();
    SetScript(row.script);
    results['R'] = {0x00, 0x2A};
    badEcho = row.badEcho;
    for (const auto answer : row.answers) prompts.QueueAnswer(answer);
    RunToEnd(1000);
    EXPECT_EQ(frames, row.frames);
    EXPECT_EQ(Captions(), row.captions);
    for (const auto& [name, value] : row.values) EXPECT_EQ(Value(name), value) << name;
    EXPECT_FALSE(interpreter.RunExists());
    EXPECT_EQ(ModeName(link.Mode()), "System");
}

INSTANTIATE_TEST_SUITE_P(Device, RunDeviceTest, ::testing::Values(
    DeviceRow{"UnusedResultIsNotTakenForTheNextEcho", "Read(1); Set(1,2);", {}, {},
              {{'R', 1}, {'S', 1, 0, 2}}, {}},
    DeviceRow{"NoInAConditionAbandonsTheLoop", "Var:n; while(Read(1)<5){n=n+1;} n=100;", {'R'},
              {Answer::No}, {{'R', 1}}, {"BŁĄD (WP2)", "BŁĄD (O2)"}, {{"n", 0}}},
    DeviceRow{"PassedOverInAConditionKeepsTheLoop",
              "Var:n; while(Read(1)<5){n=n+1; if(n==2) Exit();} n=100;", {'R'}, {},
              {{'R', 1}, {'R', 1}}, {"BŁĄD (WP2)", "BŁĄD (WP2)"}, {{"n", 2}}},
    DeviceRow{"NoInAWaitEndsTheRun", "Var:a; Wait(Read(1)); a=1;", {'R'}, {Answer::No}, {{'R', 1}},
              {"BŁĄD (WP2)", "BŁĄD (O2)"}, {{"a", 0}}}), test::RowName<&DeviceRow::name>{});

}  // namespace
}  // namespace orvane::script
