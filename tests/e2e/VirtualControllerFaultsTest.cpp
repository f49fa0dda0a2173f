#include <gtest/gtest.h>

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

}  // namespace
}  // namespace orvane::test
