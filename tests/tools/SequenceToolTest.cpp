// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>

#include "core/tools/SequenceTool.h"
#include "core/host/Cp1250.h"
#include "tests/support/ServoRig.h"

namespace orvane::test {
namespace {

using tools::SequenceTool;
using tools::ToolStep;
using Set = std::array<int, 5>;  // servo, step, time, soft, wire position

struct SequenceRig : ServoRig {
    explicit SequenceRig(bool portOpens = true) {
        board.positions[3] = 1700;
        opener.refuseOpen = !portOpens;
        EXPECT_EQ(tool.Open(loan), ToolStep::Going);
    }
    SequenceTool tool{servoLink};
    const SequenceTool::State& State() const { return tool.GetState(); }
};

TEST(SequenceTool, APauseIsRecordedWithItsTimeKeptInRange) {
    const std::pair<const char*, const char*> rows[] = {
        {nullptr, "1000"}, {"65000", "65000"}, {"65001", "65000"}, {"1", "1"}, {"0", "1"}, {"abc", "1"}};
    for (const auto& [typed, shown] : rows) {
        SequenceRig rig;
        if (typed != nullptr) rig.tool.SetPauseText(typed);
        EXPECT_EQ(rig.State().pauseText, shown);
        EXPECT_EQ(rig.tool.Ok(), ToolStep::Confirmed);
        EXPECT_EQ(rig.tool.Result(), std::string("Wait(") + shown + ");\n");
        EXPECT_TRUE(rig.board.frames.empty());
    }
}

TEST(SequenceTool, AServoStepIsSentAndWrittenWithItsBytesClamped) {
    const struct {
        const char *step, *time, *soft;
        bool off;
        Set sent;
        const char* line;
    } rows[] = {
        {"0", "5", "0", false, {3, 0, 5, 0, 1500}, "ServoSet(3,0,5,0,1500);\n"},
        {"300", "-4", "abc", false, {3, 255, 0, 0, 1500}, "ServoSet(3,255,0,0,1500);\n"},
        {"7", "7", "7", true, {3, 0, 0, 0, 0}, "ServoSet(3,0,0,0,0);\n"},
    };
    for (const auto& row : rows) {
        SequenceRig rig;
        ASSERT_EQ(rig.tool.Select(3), ToolStep::Going);
        EXPECT_EQ(rig.State().positionText, "1700");
        EXPECT_EQ(rig.State().slider, 1700);
        rig.tool.MoveSlider(1500);  // live: step 255, soft 10
        EXPECT_EQ(rig.board.Sets().back(), (Set{3, 255, 0, 10, 1500}));
        if (row.off) rig.tool.SetOff(true);
        rig.tool.SetArguments(row.step, row.time, row.soft);
        EXPECT_EQ(rig.tool.Ok(), ToolStep::Confirmed);
        EXPECT_EQ(rig.board.Sets().back(), row.sent);
        EXPECT_EQ(rig.tool.Result(), row.line);
    }
}

// A servo goes back where it was when another is chosen, even one switched off while tried; one
// that was off when chosen is read again when switched on, and goes back off at the end.
TEST(SequenceTool, ChoosingAnotherServoOrEndingPutsTheLastOneBack) {
    SequenceRig rig;
    rig.tool.Select(3);
    rig.tool.SetOff(true);
    rig.board.positions[5] = 0;
    rig.board.frames.clear();
    rig.tool.Select(5);
    EXPECT_EQ(rig.board.Sets(), (std::vector<Set>{{3, 0, 2, 0, 1700}}));
    EXPECT_TRUE(rig.State().off);
    EXPECT_EQ(rig.State().offLabel, "0");
    EXPECT_EQ(rig.State().slider, 500);
    rig.board.frames.clear();
    rig.tool.SetOff(false);  // read again, then on at the slider with time 0 (it was off)
    EXPECT_EQ(rig.board.ReadServos(), std::vector<int>{5});
    EXPECT_EQ(rig.board.Sets(), (std::vector<Set>{{5, 0, 0, 0, 500}}));
    rig.board.frames.clear();
    EXPECT_EQ(rig.tool.End(), ToolStep::Cancelled);
    EXPECT_EQ(rig.board.Sets(), (std::vector<Set>{{5, 0, 0, 0, 0}}));
    EXPECT_FALSE(rig.serial.IsOpen(0));
}

TEST(SequenceTool, WithoutAPortOnlyPausesCanBeRecorded) {
    SequenceRig rig(false);
    EXPECT_FALSE(rig.State().servosEnabled);
    rig.tool.Select(3);
    EXPECT_EQ(rig.State().selection, SequenceTool::kPause);
    EXPECT_EQ(rig.tool.Ok(), ToolStep::Confirmed);
    EXPECT_EQ(rig.tool.Result(), "Wait(1000);\n");
}

TEST(SequenceTool, FailuresAskAndNoEndsTheDialogWithNothingToInsert) {
    SequenceRig rig;
    rig.tool.Select(3);
    rig.board.badEcho = {3};
    rig.prompts.QueueAnswer(host::Answer::No);
    EXPECT_EQ(rig.tool.Ok(), ToolStep::Cancelled);
    EXPECT_EQ(rig.prompts.Shown().back(),
              "BŁĄD (WP2) | Błąd wykonania komendy:  ServoSet(3,0,0,0,1700);\n\n\nCzy kontynuować pracę?");

    SequenceRig missing;
    missing.tool.Select(2);
    missing.settings.WriteString(host::Pl("Komenda ustalająca pozycję serw w ms"), "Serwo");
    EXPECT_EQ(missing.tool.Ok(), ToolStep::Confirmed);  // Yes: on, but there is no line to insert
    EXPECT_EQ(missing.tool.Result(), "");
    EXPECT_EQ(missing.prompts.Shown().back(),
              "Komenda nie zdefiniowana! (WP3) | Komenda niezdefiniowana:  \"Serwo\"!\n\nCzy kontynuować pracę?");
}

}  // namespace
}  // namespace orvane::test
