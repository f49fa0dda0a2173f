#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/script/WireScaling.h"
#include "tests/support/ScriptRig.h"

namespace orvane::script {
namespace {

using test::MakeCommand;
using test::ScriptRig;
using Bytes = std::vector<std::uint8_t>;

const Bytes kConfirm{0x01};

// ---- frames -------------------------------------------------------------------------------

struct FrameCase {
    const char* name;
    commands::CommandArg arg;  // size, multiplier, divisor, constant
    const char* argument;
    Bytes bytes;               // the argument's bytes after the identifier
};

class Frame : public ::testing::TestWithParam<FrameCase> {};

TEST_P(Frame, CarriesTheScaledArgumentBigEndian) {
    const auto& c = GetParam();
    ScriptRig rig;
    auto def = MakeCommand("Cmd", 0x21, {1});
    def.arguments[0] = c.arg;
    rig.commands.AddNewest(def);
    rig.AnswerLikeController();

    EXPECT_EQ(rig.engine.Executor().ExecuteCommand(std::string("Cmd(") + c.argument + ");"), 0);
    Bytes frame{0x21};
    frame.insert(frame.end(), c.bytes.begin(), c.bytes.end());
    EXPECT_EQ(rig.wire->writes, (std::vector<Bytes>{frame, kConfirm}));
    EXPECT_TRUE(rig.prompts.Boxes().empty());
}

commands::CommandArg Arg(std::int32_t size, std::int32_t m = 1, std::int32_t d = 1, std::int32_t q = 0) {
    commands::CommandArg a;
    a.size = size;
    a.multiplier = m;
    a.divisor = d;
    a.constant = q;
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Executor, Frame,
    ::testing::Values(
        FrameCase{"OneByte", Arg(1), "5", {0x05}},
        FrameCase{"ScaledTruncated", Arg(2, 10, 3, 100), "7.9", {0x00, 0x7B}},
        FrameCase{"ThreeBytesNegative", Arg(3), "-2", {0xFF, 0xFF, 0xFE}},
        FrameCase{"TwoBytes", Arg(2), "300", {0x01, 0x2C}},
        FrameCase{"OneByteKeepsLowBits", Arg(1), "300", {0x2C}},
        FrameCase{"OneByteWraps", Arg(1), "256", {0x00}},
        FrameCase{"NegativeTruncatesTowardZero", Arg(2, 1, 2), "-7", {0xFF, 0xFD}},
        FrameCase{"SizeFourAddsNothing", Arg(4), "5", {}},
        FrameCase{"SizeZeroAddsNothing", Arg(0), "5", {}},
        FrameCase{"ExpressionArgument", Arg(1), "(2+3)*4", {0x14}},
        FrameCase{"DivisorZeroGivesConstant", Arg(2, 5, 0, 7), "3", {0x00, 0x07}},
        FrameCase{"MinByMinusOneWraps", Arg(3, 1, -1, 5), "-2147483648", {0x00, 0x00, 0x05}},
        FrameCase{"ProductKeepsLowBits", Arg(3, 65536), "65537", {0x01, 0x00, 0x00}},
        FrameCase{"DivisionByZeroSaturates", Arg(2), "1/0", {0xFF, 0xFF}},
        FrameCase{"NegativeInfinitySaturates", Arg(2), "-1/0", {0x00, 0x00}},
        FrameCase{"HugeNumberSaturates", Arg(3), "1e999", {0xFF, 0xFF, 0xFF}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Executor, MissingArgumentsAreZero) {
    ScriptRig rig;
    rig.commands.AddNewest(MakeCommand("Two", 0x40, {1, 2}));
    rig.AnswerLikeController();
    EXPECT_EQ(rig.engine.Executor().ExecuteCommand("Two(7);"), 0);
    EXPECT_EQ(rig.wire->writes.at(0), (Bytes{0x40, 0x07, 0x00, 0x00}));
}

TEST(Executor, ArgumentCountOutsideTheRecordIsClamped) {
    for (const std::int32_t count : {12, -3}) {
        ScriptRig rig;
        auto def = MakeCommand("Many", 0x41, std::vector<std::int32_t>(10, 1));
        def.argumentCount = count;
        rig.commands.AddNewest(def);
        rig.AnswerLikeController();
        EXPECT_EQ(rig.engine.Executor().ExecuteCommand("Many(1,2,3,4,5,6,7,8,9,10,11,12);"), 0);
        const Bytes expected = count > 0 ? Bytes{0x41, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10} : Bytes{0x41};
        EXPECT_EQ(rig.wire->writes.at(0), expected);
    }
}

TEST(Executor, EchoMustBeTheSumModulo256) {
    for (const std::uint8_t echo : {0xB0, 0xB1}) {
        ScriptRig rig;
        rig.commands.AddNewest(MakeCommand("Big", 0x80, {1, 1}));
        rig.wire->Reply({echo, 0x01});
        rig.engine.Executor().ExecuteCommand("Big(144,160);");
        EXPECT_EQ(rig.wire->writes.at(0), (Bytes{0x80, 0x90, 0xA0}));
        EXPECT_EQ(rig.prompts.Boxes().size(), echo == 0xB0 ? 0u : 1u) << int(echo);
    }
}

TEST(Executor, IdentifierZeroSendsAndEvaluatesNothing) {
    ScriptRig rig;
    rig.commands.AddNewest(MakeCommand("Zero", 0, {1}));
    rig.commands.AddNewest(MakeCommand("Read", 'R', {1}, 1));
    rig.AnswerLikeController();
    EXPECT_EQ(rig.engine.Executor().ExecuteCommand("Zero(Read(1));"), 0);
    EXPECT_DOUBLE_EQ(rig.engine.Evaluator().EvaluateExpression("Zero(1)+2"), 2);
    EXPECT_TRUE(rig.wire->writes.empty());
    EXPECT_TRUE(rig.prompts.Boxes().empty());
}

// ---- failures and the answers to them ------------------------------------------------------

enum class Fault { NoEcho, WrongEcho, NoAck, WrongAck, Unknown, NoParen };

struct FailureCase {
    const char* name;
    Fault fault;
    host::Answer answer;
    const char* caption;
    std::size_t writes;
};

class Failure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Failure, AsksAndMovesTheStatementStart) {
    const auto& c = GetParam();
    const std::string script = "x=1;Cmd(5);y=2;";
    ScriptRig rig(script);
    rig.commands.AddNewest(MakeCommand("Cmd", 0x21, {1}));
    rig.reader.statementStart = 4;
    rig.reader.statementEnd = 11;
    switch (c.fault) {
        case Fault::WrongEcho: rig.wire->Reply({0x27}); break;
        case Fault::NoAck: rig.wire->Reply({0x26}); break;
        case Fault::WrongAck: rig.wire->Reply({0x26, 0x02}); break;
        default: break;
    }
    const std::string call = c.fault == Fault::Unknown   ? "Nope(5);"
                             : c.fault == Fault::NoParen ? "Cmd;"
                                                         : "Cmd(5);";
    rig.prompts.QueueAnswer(c.answer);

    const bool goOn = c.answer == host::Answer::Yes;
    EXPECT_EQ(rig.engine.Executor().ExecuteCommand(call), goOn ? 0 : -1);
    EXPECT_EQ(rig.reader.statementStart, goOn ? 11 : static_cast<std::int32_t>(script.size()));
    EXPECT_EQ(rig.context.stopped, !goOn);
    EXPECT_EQ(rig.wire->writes.size(), c.writes);

    ASSERT_EQ(rig.prompts.Boxes().size(), 1u);
    const auto& box = rig.prompts.Boxes()[0];
    EXPECT_EQ(box.caption, c.caption);
    EXPECT_EQ(box.buttons, host::Buttons::YesNo);
    const bool undefined = c.fault == Fault::Unknown || c.fault == Fault::NoParen;
    EXPECT_EQ(box.text, undefined
                            ? "Komenda niezdefiniowana:  \"" + call + "\"!\n\nCzy kontynuować pracę?"
                            : "Błąd wykonania komendy:  " + call + "\n\nCzy kontynuować pracę?");
}

constexpr auto Yes = host::Answer::Yes;
constexpr auto No = host::Answer::No;

INSTANTIATE_TEST_SUITE_P(
    Executor, Failure,
    ::testing::Values(
        FailureCase{"NoEchoYes", Fault::NoEcho, Yes, "BŁĄD (WP2)", 1},
        FailureCase{"NoEchoNo", Fault::NoEcho, No, "BŁĄD (WP2)", 1},
        FailureCase{"WrongEchoYes", Fault::WrongEcho, Yes, "BŁĄD (WP2)", 1},
        FailureCase{"WrongEchoNo", Fault::WrongEcho, No, "BŁĄD (WP2)", 1},
        FailureCase{"NoAckYes", Fault::NoAck, Yes, "BŁĄD (WP1)", 2},
        FailureCase{"NoAckNo", Fault::NoAck, No, "BŁĄD (WP1)", 2},
        FailureCase{"WrongAckYes", Fault::WrongAck, Yes, "BŁĄD (WP1)", 2},
        FailureCase{"WrongAckNo", Fault::WrongAck, No, "BŁĄD (WP1)", 2},
        FailureCase{"UnknownYes", Fault::Unknown, Yes, "Komenda nie zdefiniowana! (WP3)", 0},
        FailureCase{"UnknownNo", Fault::Unknown, No, "Komenda nie zdefiniowana! (WP3)", 0},
        FailureCase{"NoParenthesis", Fault::NoParen, Yes, "Komenda nie zdefiniowana! (WP3)", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Executor, EachReplyIsAwaitedThreeSeconds) {
    ScriptRig rig;
    rig.commands.AddNewest(MakeCommand("Cmd", 0x21, {1}));
    rig.wire->Reply({0x26});
    rig.wire->Reply({0x01}, 3500);  // late but within the wait for the acknowledgement
    EXPECT_EQ(rig.engine.Executor().ExecuteCommand("Cmd(5);"), 0);
    EXPECT_TRUE(rig.prompts.Boxes().empty());

    ScriptRig silent;
    silent.commands.AddNewest(MakeCommand("Cmd", 0x21, {1}));
    silent.engine.Executor().ExecuteCommand("Cmd(5);");
    EXPECT_GT(silent.clock.SleptMs(), 3000);
    EXPECT_LE(silent.clock.SleptMs(), 4000);
}

// ---- results ----------------------------------------------------------------------------------

struct ResultCase {
    const char* name;
    std::int32_t size, constant, multiplier, divisor;
    Bytes reply;
    double expected;
};

class Result : public ::testing::TestWithParam<ResultCase> {};

TEST_P(Result, IsUnsignedBigEndianScaledInFloatingPoint) {
    const auto& c = GetParam();
    ScriptRig rig;
    auto def = MakeCommand("Read", 'R', {1}, c.size);
    def.resultConstant = c.constant;
    def.resultMultiplier = c.multiplier;
    def.resultDivisor = c.divisor;
    rig.commands.AddNewest(def);
    rig.AnswerLikeController({{'R', c.reply}});
    const double value = rig.engine.Evaluator().EvaluateExpression("Read(1)");
    if (std::isinf(c.expected)) EXPECT_EQ(value, c.expected);
    else EXPECT_DOUBLE_EQ(value, c.expected);
    EXPECT_EQ(rig.wire->writes, (std::vector<Bytes>{{'R', 1}, kConfirm}));
}

INSTANTIATE_TEST_SUITE_P(
    Executor, Result,
    ::testing::Values(
        ResultCase{"Halved", 2, 0, 1, 2, {0x01, 0x00}, 128.0},
        ResultCase{"ConstantFirst", 1, 100, 3, 2, {0xFA}, 225.0},
        ResultCase{"Unsigned", 3, 0, 1, 1, {0xFF, 0xFF, 0xFF}, 16777215.0},
        ResultCase{"DivisorZero", 2, 0, 1, 0, {0x00, 0x01}, std::numeric_limits<double>::infinity()},
        ResultCase{"NoResultBytes", 0, 0, 1, 1, {}, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Executor, MissingResultByteAddsNothing) {
    ScriptRig rig;
    auto def = MakeCommand("Read", 'R', {1}, 2);
    def.resultDivisor = 2;
    rig.commands.AddNewest(def);
    rig.wire->responder = [](const Bytes& bytes, test::Wire& w) {
        if (bytes == Bytes{0x01}) {
            w.Reply({0x01});
            w.Reply({0x05}, 5000);  // after the wait for the first result byte has run out
        } else {
            w.Reply({static_cast<std::uint8_t>(bytes[0] + bytes[1])});
        }
    };
    EXPECT_DOUBLE_EQ(rig.engine.Evaluator().EvaluateExpression("Read(1)"), 2.5);
}

TEST(Executor, AbsurdResultSizeWaitsForEightBytesAtMost) {
    ScriptRig rig;
    rig.commands.AddNewest(MakeCommand("Read", 'R', {1}, 100'000));
    rig.AnswerLikeController({{'R', {0x01, 0x02}}});
    EXPECT_DOUBLE_EQ(rig.engine.Evaluator().EvaluateExpression("Read(1)"), 258);
    EXPECT_LE(rig.clock.SleptMs(), 6 * 4000);  // six empty waits, none longer than four seconds
}

TEST(Executor, StatementLeavesResultBytesUnread) {
    ScriptRig rig;
    rig.commands.AddNewest(MakeCommand("Read", 'R', {1}, 1));
    rig.AnswerLikeController({{'R', {0x2A}}});
    EXPECT_EQ(rig.engine.Executor().ExecuteCommand("Read(1);"), 1);
    EXPECT_EQ(rig.serial.ReadByte(0), 0x2A);
}

// ---- a command inside an argument -------------------------------------------------------------

struct NestedRig : ScriptRig {
    NestedRig() : ScriptRig("Set(Read(1));x;") {
        commands.AddNewest(MakeCommand("Set", 'S', {3}));
        commands.AddNewest(MakeCommand("Read", 'R', {1}, 1));
        reader.statementEnd = 13;
    }
};

TEST(Nested, ArgumentIsEvaluatedOnceForAllItsBytes) {
    NestedRig rig;
    rig.AnswerLikeController({{'R', {0x2A}}});
    EXPECT_EQ(rig.engine.Executor().ExecuteCommand("Set(Read(1));"), 0);
    EXPECT_EQ(rig.wire->writes,
              (std::vector<Bytes>{{'R', 1}, kConfirm, {'S', 0, 0, 0x2A}, kConfirm}));
    EXPECT_TRUE(rig.prompts.Boxes().empty());
}

TEST(Nested, NoInsideTheArgumentSendsNothingMore) {
    NestedRig rig;  // silent controller: Read gets no echo
    rig.prompts.QueueAnswer(No);
    EXPECT_EQ(rig.engine.Executor().ExecuteCommand("Set(Read(1));"), -1);
    EXPECT_EQ(rig.wire->writes, (std::vector<Bytes>{{'R', 1}}));
    EXPECT_EQ(rig.reader.statementStart, rig.reader.TextLength());
    ASSERT_EQ(rig.prompts.Boxes().size(), 2u);
    EXPECT_EQ(rig.prompts.Boxes()[0].caption, "BŁĄD (WP2)");
    EXPECT_EQ(rig.prompts.Boxes()[1].caption, "BŁĄD (O2)");
    EXPECT_EQ(rig.prompts.Boxes()[1].text, "Błąd obliczenia wartości: Read(1)");
    EXPECT_TRUE(rig.context.stopped);
}

TEST(Nested, YesInsideTheArgumentSendsZero) {
    NestedRig rig;
    rig.wire->Reply({0x00});  // a wrong echo for Read; later replies come from the controller
    rig.prompts.QueueAnswer(Yes);
    rig.wire->responder = [](const Bytes& bytes, test::Wire& w) {
        if (bytes[0] == 'S') w.Reply({'S', 0x01});
    };
    EXPECT_EQ(rig.engine.Executor().ExecuteCommand("Set(Read(1));"), 0);
    EXPECT_EQ(rig.wire->writes, (std::vector<Bytes>{{'R', 1}, {'S', 0, 0, 0}, kConfirm}));
    EXPECT_EQ(rig.reader.statementStart, 13);
    EXPECT_FALSE(rig.context.stopped);
}

// ---- scaling at its limits ------------------------------------------------------------------

TEST(WireScaling, FullWidthEdgesNeverTrap) {
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(WireScaling::ScaleArgument(kMin, 1, -1, 0), kMin);
    EXPECT_EQ(WireScaling::ScaleArgument(std::numeric_limits<std::int32_t>::max(), 1, 1, 1), kMin);
    EXPECT_EQ(WireScaling::ToInt32(std::nan("")), 0);
}

}  // namespace
}  // namespace orvane::script
