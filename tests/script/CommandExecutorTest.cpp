// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "core/script/WireScaling.h"
#include "tests/support/ScriptRig.h"

namespace orvane::script {
namespace {

using test::MakeCommand;
using test::ScriptRig;
using Bytes = std::vector<std::uint8_t>;
using Frames = std::vector<Bytes>;
using host::Answer;

const Bytes kConfirm{0x01};
using BoxList = std::vector<std::tuple<std::string, std::string, host::Buttons>>;

BoxList Boxes(const ScriptRig& rig) {
    BoxList out;
    for (const auto& b : rig.prompts.Boxes()) out.emplace_back(b.caption, b.text, b.buttons);
    return out;
}

// "Cmd", identifier 0x21, with one argument of this size and scaling.
commands::CommandDef Cmd(std::int32_t size, std::int32_t m = 1, std::int32_t d = 1, std::int32_t q = 0) {
    auto def = MakeCommand("Cmd", 0x21, {1});
    def.arguments[0] = {size, m, d, q, ""};
    return def;
}

commands::CommandDef Many(std::int32_t count) {
    auto def = MakeCommand("Many", 0x41, std::vector<std::int32_t>(10, 1));
    def.argumentCount = count;
    return def;
}

TEST(Executor, FramesCarryTheScaledArgumentsBigEndianAndTheEchoIsTheirSum) {
    const struct {
        commands::CommandDef def;
        const char* call;
        Bytes frame;
    } rows[] = {
        {Cmd(1), "Cmd(5);", {0x21, 0x05}}, {Cmd(2, 10, 3, 100), "Cmd(7.9);", {0x21, 0x00, 0x7B}}, {Cmd(3), "Cmd(-2);", {0x21, 0xFF, 0xFF, 0xFE}},
        {Cmd(2), "Cmd(300);", {0x21, 0x01, 0x2C}}, {Cmd(1), "Cmd(300);", {0x21, 0x2C}}, {Cmd(2, 1, 2), "Cmd(-7);", {0x21, 0xFF, 0xFD}},
        {Cmd(4), "Cmd(5);", {0x21}}, {Cmd(0), "Cmd(5);", {0x21}}, {Cmd(1), "Cmd((2+3)*4);", {0x21, 0x14}},
        {Cmd(2, 5, 0, 7), "Cmd(3);", {0x21, 0x00, 0x07}}, {Cmd(3, 1, -1, 5), "Cmd(-2147483648);", {0x21, 0x00, 0x00, 0x05}},
        {Cmd(3, 65536), "Cmd(65537);", {0x21, 0x01, 0x00, 0x00}}, {Cmd(2), "Cmd(1/0);", {0x21, 0xFF, 0xFF}},
        {Cmd(2), "Cmd(-1/0);", {0x21, 0x00, 0x00}}, {Cmd(3), "Cmd(1e999);", {0x21, 0xFF, 0xFF, 0xFF}},
        {MakeCommand("Two", 0x40, {1, 2}), "Two(7);", {0x40, 0x07, 0x00, 0x00}}, {MakeCommand("Big", 0x80, {1, 1}), "Big(144,160);", {0x80, 0x90, 0xA0}},
        {Many(12), "Many(1,2,3,4,5,6,7,8,9,10,11,12);", {0x41, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}, {Many(-3), "Many(1,2);", {0x41}},
    };
    for (const auto& c : rows) {
        ScriptRig rig;
        rig.commands.AddNewest(c.def);
        rig.AnswerLikeController();
        EXPECT_EQ(rig.engine.Executor().ExecuteCommand(c.call), 0) << c.call;
        EXPECT_EQ(rig.wire->writes, (Frames{c.frame, kConfirm})) << c.call << " size " << c.def.arguments[0].size;
        EXPECT_TRUE(rig.prompts.Boxes().empty()) << c.call;
    }
}

// Each failure asks; Yes goes on after the statement, No ends the text and stops.
TEST(Executor, FailuresAskAndMoveTheStatementStart) {
    enum Fault { NoEcho, WrongEcho, NoAck, WrongAck, Unknown, NoParen };
    const struct {
        Fault fault;
        const char* caption;
        std::size_t writes;
    } faults[] = {
        {NoEcho, "BŁĄD (WP2)", 1}, {WrongEcho, "BŁĄD (WP2)", 1}, {NoAck, "BŁĄD (WP1)", 2},
        {WrongAck, "BŁĄD (WP1)", 2}, {Unknown, "Komenda nie zdefiniowana! (WP3)", 0},
        {NoParen, "Komenda nie zdefiniowana! (WP3)", 0},
    };
    const std::string script = "x=1;Cmd(5);y=2;";
    for (const auto& c : faults) {
        for (const Answer answer : {Answer::Yes, Answer::No}) {
            const bool goOn = answer == Answer::Yes;
            SCOPED_TRACE(std::string(c.caption) + " fault " + std::to_string(c.fault) + (goOn ? " Yes" : " No"));
            ScriptRig rig(script);
            rig.commands.AddNewest(MakeCommand("Cmd", 0x21, {1}));
            rig.reader.Restore({4, 11});
            if (c.fault == WrongEcho) rig.wire->Reply({0x27});
            if (c.fault == NoAck || c.fault == WrongAck) rig.wire->Reply({0x26});
            if (c.fault == WrongAck) rig.wire->Reply({0x02});
            const std::string call = c.fault == Unknown ? "Nope(5);" : c.fault == NoParen ? "Cmd;" : "Cmd(5);";
            rig.prompts.QueueAnswer(answer);

            EXPECT_EQ(rig.engine.Executor().ExecuteCommand(call), goOn ? 0 : -1);
            EXPECT_EQ(rig.reader.Start(), goOn ? 11 : static_cast<std::int32_t>(script.size()));
            EXPECT_EQ(rig.context.stopped, !goOn);
            EXPECT_EQ(rig.wire->writes.size(), c.writes);
            EXPECT_EQ(Boxes(rig), (BoxList{{c.caption, c.writes == 0
                ? "Komenda niezdefiniowana:  \"" + call + "\"!\n\nCzy kontynuować pracę?"
                : "Błąd wykonania komendy:  " + call + "\n\nCzy kontynuować pracę?", host::Buttons::YesNo}}));
        }
    }
}

TEST(Executor, EachReplyIsAwaitedThreeSeconds) {
    ScriptRig rig, silent;
    for (ScriptRig* r : {&rig, &silent}) r->commands.AddNewest(MakeCommand("Cmd", 0x21, {1}));
    rig.wire->Reply({0x26});
    rig.wire->Reply({0x01}, 3500);  // late but within the wait for the acknowledgement
    EXPECT_EQ(rig.engine.Executor().ExecuteCommand("Cmd(5);"), 0);
    EXPECT_TRUE(rig.prompts.Boxes().empty());

    silent.engine.Executor().ExecuteCommand("Cmd(5);");
    EXPECT_GT(silent.clock.SleptMs(), 3000);
    EXPECT_LE(silent.clock.SleptMs(), 4000);
}

// "Read" with a result of `size` bytes scaled as given.
commands::CommandDef Read(std::int32_t size, std::int32_t q = 0, std::int32_t m = 1, std::int32_t d = 1) {
    auto def = MakeCommand("Read", 'R', {1}, size);
    def.resultConstant = q;
    def.resultMultiplier = m;
    def.resultDivisor = d;
    return def;
}

TEST(Executor, ResultsAreUnsignedBigEndianScaledInFloatingPoint) {
    const struct {
        commands::CommandDef def;
        Bytes reply;
        double expected;
    } rows[] = {
        {Read(2, 0, 1, 2), {0x01, 0x00}, 128.0}, {Read(1, 100, 3, 2), {0xFA}, 225.0},
        {Read(3), {0xFF, 0xFF, 0xFF}, 16777215.0},
        {Read(2, 0, 1, 0), {0x00, 0x01}, std::numeric_limits<double>::infinity()}, {Read(0), {}, 0.0},
        {Read(100'000), {0x01, 0x02}, 258},  // waits for eight bytes at most; a missing one adds nothing
    };
    for (const auto& c : rows) {
        SCOPED_TRACE(c.expected);
        ScriptRig rig;
        rig.commands.AddNewest(c.def);
        rig.AnswerLikeController({{'R', c.reply}});
        const double value = rig.engine.Evaluator().EvaluateExpression("Read(1)");
        if (std::isinf(c.expected)) EXPECT_EQ(value, c.expected);
        else EXPECT_DOUBLE_EQ(value, c.expected);
        EXPECT_EQ(rig.wire->writes, (Frames{{'R', 1}, kConfirm}));
        EXPECT_LE(rig.clock.SleptMs(), 6 * 4000);  // six empty waits, none longer than four seconds
    }
}

// A command inside another's argument: evaluated once for all the argument's bytes; a failure there
// asks once, then No ends the text unsent and Yes sends zero.
TEST(Executor, NestedArgumentIsEvaluatedOnce) {
    for (int answer = 0; answer < 3; ++answer) {  // 0: the controller answers, 1: No, 2: Yes
        SCOPED_TRACE(answer);
        ScriptRig rig("Set(Read(1));x;");
        rig.commands.AddNewest(MakeCommand("Set", 'S', {3}));
        rig.commands.AddNewest(Read(1));
        rig.reader.Restore({0, 13});
        if (answer == 0) rig.AnswerLikeController({{'R', {0x2A}}});
        if (answer == 1) rig.prompts.QueueAnswer(Answer::No);
        if (answer == 2) {
            rig.wire->Reply({0x00});  // a wrong echo for Read
            rig.prompts.QueueAnswer(Answer::Yes);
            rig.wire->responder = [](const Bytes& bytes, test::Wire& w) { if (bytes[0] == 'S') w.Reply({'S', 0x01}); };
        }
        EXPECT_EQ(rig.engine.Executor().ExecuteCommand("Set(Read(1));"), answer == 1 ? -1 : 0);
        const Frames sent[] = {{{'R', 1}, kConfirm, {'S', 0, 0, 0x2A}, kConfirm}, {{'R', 1}}, {{'R', 1}, {'S', 0, 0, 0}, kConfirm}};
        EXPECT_EQ(rig.wire->writes, sent[answer]);
        const std::int32_t starts[] = {0, rig.reader.TextLength(), 13};
        EXPECT_EQ(rig.reader.Start(), starts[answer]);
        EXPECT_EQ(rig.context.stopped, answer == 1);
        const BoxList boxes[] = {{}, {{"BŁĄD (WP2)", "Błąd wykonania komendy:  Read(1);\n\nCzy kontynuować pracę?", host::Buttons::YesNo},
                                      {"BŁĄD (O2)", "Błąd obliczenia wartości: Read(1)", host::Buttons::Ok}}};
        if (answer < 2) { EXPECT_EQ(Boxes(rig), boxes[answer]); }
    }
}

TEST(WireScaling, FullWidthEdgesNeverTrap) {
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(WireScaling::ScaleArgument(kMin, 1, -1, 0), kMin);
    EXPECT_EQ(WireScaling::ScaleArgument(std::numeric_limits<std::int32_t>::max(), 1, 1, 1), kMin);
    EXPECT_EQ(WireScaling::ToInt32(std::nan("")), 0);
}

}  // namespace
}  // namespace orvane::script
