// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <map>

#include "core/tools/PositionTool.h"
#include "core/tools/ServoFormula.h"
#include "core/host/Cp1250.h"
#include "tests/support/ServoRig.h"

namespace orvane::test {
namespace {

using tools::PositionTool;
using tools::ToolStep;
using Set = std::array<int, 5>;  // servo, step, time, soft, wire position
using On = std::map<int, int>;   // servo -> position; the others are off

struct PositionRig : ServoRig {
    // Every servo off but those given, then the dialog opened.
    explicit PositionRig(const On& on = {{1, 1500}, {2, 1500}, {3, 1500}}) {
        board.positions.fill(0);
        for (const auto& [servo, position] : on) board.positions[static_cast<std::size_t>(servo)] = position;
    }
    ToolStep Open() { return tool.Open(loan); }
    const PositionTool::Row& Row(int servo) const { return tool.GetState().rows[static_cast<std::size_t>(servo - 1)]; }
    Set LastSet() const { return board.Sets().back(); }

    PositionTool tool{servoLink, settings};
};

TEST(PositionTool, OpeningReadsEveryServoAndShowsTheSilentOnesOff) {
    PositionRig rig(On{{1, 1500}, {3, 2000}});
    rig.settings.WriteString("Oblicz", "S1=S3;");
    ASSERT_EQ(rig.Open(), ToolStep::Going);
    EXPECT_EQ(rig.board.ReadServos().size(), 16u);
    EXPECT_TRUE(rig.Row(3).enabled && !rig.Row(3).off && rig.Row(3).position == 2000);
    EXPECT_TRUE(!rig.Row(2).enabled && rig.Row(2).off);
    EXPECT_EQ(rig.tool.GetState().formula, "S1=S3;");
}

TEST(PositionTool, OkWritesTheLinesOfTheServosInUseAndTheWait) {
    struct Row {
        On on;
        const char* time;
        const char* lines;
    };
    const Row rows[] = {
        {{{1, 1500}, {3, 2000}}, "2500", "ServoSet(1,0,2,0,1500);\nServoSet(3,0,2,0,2000);\nWait(2500);\n"},
        {{}, "700", "Wait(700);\n"},
        // The time is a byte on the wire: never negative, never beyond 255 seconds.
        {{{2, 1800}}, "-2500", "ServoSet(2,0,0,0,1800);\nWait(0);\n"},
        {{{2, 1800}}, "999999", "ServoSet(2,0,255,0,1800);\nWait(999999);\n"},
    };
    for (const Row& row : rows) {
        PositionRig rig(row.on);
        ASSERT_EQ(rig.Open(), ToolStep::Going);
        rig.tool.SetTime(row.time);
        rig.tool.SetFormula("S1=S2;");
        EXPECT_EQ(rig.tool.Ok(), ToolStep::Confirmed);
        EXPECT_EQ(rig.tool.Result(), row.lines) << row.time;
        EXPECT_EQ(rig.tool.Ok(), ToolStep::Confirmed);  // the dialog stays: each Ok gives its own lines
        EXPECT_EQ(rig.tool.Result(), row.lines) << row.time;
        EXPECT_EQ(rig.settings.ReadString("Czas", ""), row.time);
        EXPECT_EQ(rig.settings.ReadString("Oblicz", ""), "S1=S2;");
    }
}

TEST(PositionTool, ASliderSendsItsScaledPositionWithStepTimeAndSoftZero) {
    struct Row {
        std::int32_t multiplier, divisor, constant;
        int moved;
        int wire;
    };
    const Row rows[] = {
        {1, 1, 0, 1234, 1234},
        {1, 1, 0, 3000, 2500},   // kept within the slider's range
        {2, 3, 100, 1234, 922},  // 1234 * 2 / 3 + 100
        {1, 0, 77, 1234, 77},    // a divisor of 0 divides to 0, as in a run
    };
    for (const Row& row : rows) {
        PositionRig rig;
        auto& position = rig.Command("ServoSet").arguments[4];
        position.multiplier = row.multiplier;
        position.divisor = row.divisor;
        position.constant = row.constant;
        ASSERT_EQ(rig.Open(), ToolStep::Going);
        EXPECT_EQ(rig.tool.MoveSlider(2, row.moved), ToolStep::Going);
        EXPECT_EQ(rig.LastSet(), (Set{2, 0, 0, 0, row.wire})) << row.moved;
    }
}

TEST(PositionTool, OffUnusedAndFollowingServos) {
    PositionRig rig(On{{1, 1500}, {2, 1500}});
    ASSERT_EQ(rig.Open(), ToolStep::Going);
    rig.tool.SetOff(2, true);
    rig.tool.MoveSlider(2, 1700);
    rig.tool.MoveSlider(9, 1700);  // not in use: its slider is disabled
    EXPECT_EQ(rig.board.Sets(), (std::vector<Set>{{2, 0, 0, 0, 0}}));
    rig.tool.SetOff(2, false);
    EXPECT_EQ(rig.LastSet(), (Set{2, 0, 0, 0, 1700}));

    rig.board.frames.clear();
    rig.tool.SetFormula("S1=S2+2;S3=1500;");
    rig.tool.SetCompute(true);
    rig.tool.MoveSlider(2, 1800);
    EXPECT_EQ(rig.board.Sets(), (std::vector<Set>{{2, 0, 0, 0, 1800}, {1, 0, 0, 0, 1802}}));  // servo 3 is not in use
    rig.board.frames.clear();
    rig.tool.SetEnabled(3, true);  // read again: it is off, so it is set only in the table
    rig.tool.SetOff(3, false);
    rig.tool.MoveSlider(2, 1900);
    EXPECT_EQ(rig.board.Sets(),
              (std::vector<Set>{{3, 0, 0, 0, 0}, {2, 0, 0, 0, 1900}, {1, 0, 0, 0, 1902}, {3, 0, 0, 0, 1500}}));

    // A formula that feeds on itself climbs one step per move and stops at the range's end.
    rig.tool.SetFormula("S1 = S1 + 1000 ; S2=S1; S1=S2;");
    for (int i = 0; i < 5; ++i) rig.tool.MoveSlider(3, 1500);
    EXPECT_EQ(rig.Row(1).position, 2500);
    EXPECT_EQ(rig.Row(2).position, 2500);
}

TEST(PositionTool, ServoBoxesReadAgainOrPutTheServoBack) {
    PositionRig rig(On{{5, 1200}});
    ASSERT_EQ(rig.Open(), ToolStep::Going);
    rig.tool.MoveSlider(5, 2000);
    rig.tool.SetEnabled(5, false);
    EXPECT_EQ(rig.LastSet(), (Set{5, 0, 1, 0, 1200}));
    EXPECT_EQ(rig.Row(5).position, 1200);

    rig.board.positions[5] = 0;  // switched off meanwhile
    rig.board.frames.clear();
    rig.tool.SetEnabled(5, true);
    EXPECT_EQ(rig.board.ReadServos(), std::vector<int>{5});
    EXPECT_TRUE(rig.Row(5).off);

    // Koniec puts each servo back as it was found: on where it stood, off where it was off.
    rig.board.frames.clear();
    EXPECT_EQ(rig.tool.End(), ToolStep::Cancelled);
    ASSERT_EQ(rig.board.Sets().size(), 16u);
    EXPECT_EQ(rig.board.Sets()[0], (Set{1, 0, 0, 0, 0}));
    EXPECT_EQ(rig.board.Sets()[4], (Set{5, 0, 1, 0, 1200}));
    EXPECT_FALSE(rig.serial.IsOpen(0));
}

TEST(PositionTool, AControllerFallingSilentAsksOncePerServoAndNoEndsTheDialog) {
    PositionRig rig;
    rig.board.answerFrames = 3;
    rig.prompts.QueueAnswer(host::Answer::Yes);
    rig.prompts.QueueAnswer(host::Answer::No);
    EXPECT_EQ(rig.Open(), ToolStep::Cancelled);
    EXPECT_EQ(rig.board.ReadServos(), (std::vector<int>{1, 2, 3, 4, 5}));
    ASSERT_EQ(rig.prompts.Boxes().size(), 2u);
    EXPECT_EQ(rig.prompts.Boxes()[0].caption, "BŁĄD (WP2)");
    EXPECT_TRUE(rig.Row(4).off);

    // A move that fails asks with the command's name; No ends the dialog.
    PositionRig moving;
    ASSERT_EQ(moving.Open(), ToolStep::Going);
    moving.board.badEcho = {2};
    moving.prompts.QueueAnswer(host::Answer::No);
    EXPECT_EQ(moving.tool.MoveSlider(2, 1600), ToolStep::Cancelled);
    EXPECT_EQ(moving.prompts.Boxes().back().caption, "BŁĄD (WP2)");
    EXPECT_EQ(moving.prompts.Boxes().back().text, "ServoSet");
}

TEST(PositionTool, MissingCommands) {
    PositionRig noRead;
    noRead.settings.WriteString(host::Pl("Komenda odczytująca pozycję serw w ms"), "Brak");
    noRead.prompts.QueueAnswer(host::Answer::No);
    EXPECT_EQ(noRead.Open(), ToolStep::Cancelled);
    EXPECT_EQ(noRead.prompts.Boxes().at(0).caption, "Komenda nie zdefiniowana! (WP3)");
    EXPECT_TRUE(noRead.board.frames.empty());

    PositionRig noSet;
    ASSERT_EQ(noSet.Open(), ToolStep::Going);
    noSet.settings.WriteString(host::Pl("Komenda ustalająca pozycję serw w ms"), "Brak");
    EXPECT_EQ(noSet.tool.MoveSlider(1, 1600), ToolStep::Cancelled);
    EXPECT_EQ(noSet.tool.Ok(), ToolStep::Confirmed);
    EXPECT_EQ(noSet.tool.Result(), "");
    EXPECT_TRUE(noSet.prompts.Boxes().empty());
}

TEST(ServoFormula, ReadsWhatItCanAndSaysWhyItLeftTheRestOut) {
    struct Row {
        const char* text;
        std::size_t statements;
        const char* problem;  // part of the first problem, or empty
    };
    const Row rows[] = {
        {"S1=S2+2;S3=1500;", 2, ""},
        {" S1 = S2 + 2 ;\n", 1, ""},
        {"S1=S2+2", 0, "brak „;” na końcu"},
        {"S1=S2;S3", 1, "„S3”: brak „;”"},
        {"S17=5;", 0, "po lewej stronie"},
        {"S1x=5;", 0, "po lewej stronie"},
        {"S1=S20;", 0, "nie ma serwa „S20”"},
        {"S1=S+1;", 0, "brak numeru serwa"},
        {"S1=S2*2;", 0, "niedozwolony znak „*”"},
        {"S1;", 0, "brak „=”"},
        {"S1=;", 0, "brak wartości"},
    };
    for (const Row& row : rows) {
        const auto formula = tools::ServoFormula::Parse(host::Pl(row.text));
        EXPECT_EQ(formula.Statements().size(), row.statements) << row.text;
        if (*row.problem == '\0') {
            EXPECT_TRUE(formula.Problems().empty()) << row.text;
        } else {
            ASSERT_FALSE(formula.Problems().empty()) << row.text;
            EXPECT_NE(host::Cp1250ToUtf8(formula.Problems()[0]).find(row.problem), std::string::npos) << row.text;
        }
    }

    std::array<int, 16> positions{};
    positions[1] = 1800;
    const auto formula = tools::ServoFormula::Parse("S1=-S2+2000-3 7;S4=99999999999999;");
    EXPECT_EQ(tools::ServoFormula::Evaluate(formula.Statements().at(0), positions), -1800 + 2000 - 37);
    EXPECT_EQ(tools::ServoFormula::Evaluate(formula.Statements().at(1), positions), 1'000'000'000);
}

}  // namespace
}  // namespace orvane::test
