#include <gtest/gtest.h>

#include "sim/SimOptions.h"
#include "tests/e2e/VirtualControllerHarness.h"

namespace orvane::test {
namespace {

Bench WithFaults(std::initializer_list<const char*> faults, std::uint8_t p2 = 0x00,
                 sim::ControllerSetup setup = Bench::Setup()) {
    setup.p2 = p2;
    std::string error;
    for (const char* fault : faults) EXPECT_TRUE(setup.faults.Add(fault, error)) << fault << ": " << error;
    return Bench(std::move(setup));
}

struct OutputFaultRow {
    const char* fault;
    Bytes request;
    Bytes reply;
};

class OutputFaultTest : public ::testing::TestWithParam<OutputFaultRow> {};

TEST_P(OutputFaultTest, ChangesOnlyWhatReachesTheLine) {
    Bench bench = WithFaults({GetParam().fault});
    EXPECT_EQ(bench.SendVector(GetParam().request), GetParam().reply) << GetParam().fault;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, OutputFaultTest,
    ::testing::Values(OutputFaultRow{"silent", {0x00, 0x76, 0x01}, {}},
                      OutputFaultRow{"drop:2", {0x76, 0x00}, {'3', 0xFF}},
                      OutputFaultRow{"drop:3", {0x76, 0x00, 0x00}, {'3', '1', 0xFF}},
                      OutputFaultRow{"corrupt:1", {0x00, 0x00}, {0x00, 0xFF}},
                      OutputFaultRow{"silent-after:2", {0x00, 0x00, 0x00, 0x76}, {0xFF, 0xFF}},
                      OutputFaultRow{"silent-after:0", {0x00}, {}}));

TEST(VirtualControllerFaultsTest, SilencedStateStillChanges) {
    Bench bench = WithFaults({"silent"});
    bench.Send({0xFE});
    EXPECT_EQ(bench.vc->CurrentMode(), sim::Mode::Komendy) << "deaf line, working controller";
    EXPECT_TRUE(bench.vc->TakeOutput(bench.nowMs).empty());
}

TEST(VirtualControllerFaultsTest, DroppedAndCorruptedBytesAreReportedForTheLog) {
    Bench bench = WithFaults({"drop:1", "corrupt:2"});
    bench.vc->Receive(0x76, bench.vc->Baud(), bench.nowMs);
    const auto out = bench.vc->TakeOutput(bench.nowMs);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].fate, sim::Fate::Dropped);
    EXPECT_EQ(out[1].fate, sim::Fate::Corrupted);
    EXPECT_EQ(out[1].original, '1');
    EXPECT_EQ(out[1].byte, static_cast<std::uint8_t>('1' ^ 0xFF));
}

TEST(VirtualControllerFaultsTest, CommandFaultsSpoilEchoOrAcknowledgement) {
    Bench echo = WithFaults({"corrupt-echo"}, 0xFF);
    EXPECT_EQ(echo.Send({'R', 1}), Bytes{static_cast<std::uint8_t>(('R' + 1) ^ 0xFF)});
    EXPECT_EQ(echo.Send({'x'}), Bytes{static_cast<std::uint8_t>('x' ^ 0xFF)}) << "every echo";

    Bench ack = WithFaults({"bad-ack"}, 0xFF);
    ack.Send({'S', 2, 0, 0, 0, 0x03, 0xE8});
    EXPECT_EQ(ack.Send({0x01}), Bytes{0x00});
    EXPECT_EQ(ack.vc->Board().ServoPosition(2), sim::BoardState::kServoRest) << "refused, not done";
}

TEST(VirtualControllerFaultsTest, HangUpIsDueAfterTheNthByteHeard) {
    Bench bench = WithFaults({"hangup-after:2"});
    bench.SendVector({0x00}, 19200);
    bench.Send({0x00});
    EXPECT_FALSE(bench.vc->HangUpDue()) << "a byte at another speed is not heard";
    bench.Send({0x00});
    EXPECT_TRUE(bench.vc->HangUpDue());
}

TEST(VirtualControllerFaultsTest, DelayHoldsRepliesBack) {
    Bench bench = WithFaults({"delay:700"});
    EXPECT_EQ(bench.Send({0x00}), Bytes{});
    ASSERT_TRUE(bench.vc->NextOutputMs().has_value());
    EXPECT_EQ(*bench.vc->NextOutputMs(), bench.nowMs - 1 + 700);
    bench.Wait(699);
    EXPECT_EQ(bench.Take(), Bytes{0xFF});
}

TEST(VirtualControllerFaultsTest, BootLoaderFailuresLeaveTheFlashAlone) {
    auto setup = Bench::Setup();
    setup.flash[0x0700] = 0x42;
    Bench bench = WithFaults({"erase-fails", "write-fails:2"}, 0x00, std::move(setup));
    bench.Send({0xF0});
    EXPECT_EQ(bench.Send({'e'}), Bytes{0x00});
    EXPECT_EQ(bench.vc->Flash()[0x0700], 0x42);

    Bytes page{'w', 0x08, 0x00};
    page.resize(67, 0x33);
    for (const auto& [high, reply] : {std::pair{0x08, 1}, {0x09, 0}, {0x0A, 1}}) {
        page[1] = static_cast<std::uint8_t>(high);
        EXPECT_EQ(bench.SendVector(page), Bytes{static_cast<std::uint8_t>(reply)}) << high;
    }
    EXPECT_EQ(bench.vc->Flash()[0x0900], 0xFF);
}

struct SpecRow {
    const char* fault;
    bool valid;
};

class FaultSpecTest : public ::testing::TestWithParam<SpecRow> {};

TEST_P(FaultSpecTest, AcceptsOnlyWellFormedSpecifications) {
    sim::FaultPlan plan;
    std::string error;
    EXPECT_EQ(plan.Add(GetParam().fault, error), GetParam().valid) << GetParam().fault;
    EXPECT_EQ(error.empty(), GetParam().valid) << "a refusal says why";
}

INSTANTIATE_TEST_SUITE_P(
    Specs, FaultSpecTest,
    ::testing::Values(SpecRow{"corrupt-echo", true}, SpecRow{"hangup-after:0", true},
                      SpecRow{"delay:60000", true}, SpecRow{"drop:0", false}, SpecRow{"drop:", false},
                      SpecRow{"drop:2x", false}, SpecRow{"drop:-1", false}, SpecRow{"silent:3", false},
                      SpecRow{"delay:60001", false}, SpecRow{"hangup-after:99999999999", false},
                      SpecRow{"bogus", false}, SpecRow{"", false}));

struct OptionRow {
    std::vector<std::string> args;
    bool valid;
};

class SimOptionsTest : public ::testing::TestWithParam<OptionRow> {};

TEST_P(SimOptionsTest, RefusesWhatCannotBeRun) {
    sim::SimOptions options;
    std::string error;
    EXPECT_EQ(sim::SimOptions::Parse(GetParam().args, options, error), GetParam().valid)
        << ::testing::PrintToString(GetParam().args);
    EXPECT_EQ(error.empty(), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, SimOptionsTest,
    ::testing::Values(OptionRow{{"--baud=230400"}, true}, OptionRow{{"--baud", "12345"}, false},
                      OptionRow{{"--baud", "115200x"}, false}, OptionRow{{"--params", "0,256"}, false},
                      OptionRow{{"--params", "7"}, false}, OptionRow{{"--version", "5"}, false},
                      OptionRow{{"--fault", "nonsense"}, false}, OptionRow{{"--log"}, false},
                      OptionRow{{"stray"}, false}));

TEST(SimOptionsTest, OptionsReachTheirFields) {
    sim::SimOptions o;
    std::string error;
    ASSERT_TRUE(sim::SimOptions::Parse({"--params", "0x00,0xFF", "--version", "52", "--baud", "9600",
                                        "--fault", "corrupt:4", "--link=/tmp/x"},
                                       o, error));
    EXPECT_EQ(o.p1, 0x00);
    EXPECT_EQ(o.p2, 0xFF);
    EXPECT_EQ(o.version, "52");
    EXPECT_EQ(o.baud, 9600);
    EXPECT_EQ(o.faults.corruptNth, 4);
    EXPECT_EQ(o.linkPath, "/tmp/x");
}

}  // namespace
}  // namespace orvane::test
