#include <gtest/gtest.h>

#include "tests/e2e/VirtualControllerHarness.h"

namespace orvane::test {
namespace {

Bench InKomendy() {
    Bench bench;
    bench.Send({0xFE});
    return bench;
}

struct FrameRow {
    const char* what;
    Bytes frame;
    std::uint8_t echo;
};

class FrameEchoTest : public ::testing::TestWithParam<FrameRow> {};

TEST_P(FrameEchoTest, EchoesTheChecksumOnceTheFrameIsWhole) {
    Bench bench = InKomendy();
    Bytes head(GetParam().frame.begin(), GetParam().frame.end() - 1);
    EXPECT_EQ(bench.SendVector(head), Bytes{}) << "no echo before the last byte";
    EXPECT_EQ(bench.SendVector({GetParam().frame.back()}), Bytes{GetParam().echo}) << GetParam().what;
    EXPECT_EQ(bench.Send({0x01}).front(), 0x01);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameEchoTest,
    ::testing::Values(FrameRow{"one size-1 argument", {0x21, 0x05}, 0x26},
                      FrameRow{"sum above 255", {0x80, 0x90, 0xA0}, 0xB0},
                      FrameRow{"mode bytes inside a frame are arguments", {'D', 0x00, 0xFF}, 0x43},
                      FrameRow{"servo frame", {'S', 1, 0, 0, 0, 0x07, 0xD0}, 0x2B}));

TEST(VirtualControllerFramesTest, OtherCommandsStayPlausible) {
    Bench bench = InKomendy();
    auto call = [&](Bytes frame) {
        bench.SendVector(frame);
        return bench.Send({0x01});
    };
    EXPECT_EQ(call({'D', 2, 1}), Bytes{1});
    EXPECT_EQ(call({'d', 2}), (Bytes{1, 1}));
    EXPECT_EQ(call({'d', 3}), (Bytes{1, 0}));
    EXPECT_EQ(call({'x'}), (Bytes{1, 0x04}));
    EXPECT_EQ(call({'A', 0}), (Bytes{1, 0x02, 0x00})) << "analog inputs read mid-scale";
    EXPECT_EQ(call({0x80, 1, 2}), (Bytes{1, 0, 0, 0})) << "a three-byte result, unknown routine";
    EXPECT_EQ(call({0x21, 9}), Bytes{1}) << "sizes other than 1..3 carry no byte";
}

TEST(VirtualControllerFramesTest, AFrameNotConfirmedIsNotCarriedOut) {
    Bench bench = InKomendy();
    bench.Send({'S', 1, 0, 0, 0, 0x07, 0xD0});
    EXPECT_EQ(bench.Send({0x00}), Bytes{0xFE}) << "the byte starts anew: a mode query";
    bench.Send({'R', 1});
    EXPECT_EQ(bench.Send({0x01}), (Bytes{0x01, 0x05, 0xDC}));
}

TEST(VirtualControllerFramesTest, AFrameAbandonedHalfWayIsDroppedAfterASecond) {
    Bench bench = InKomendy();
    bench.Send({'S', 1, 0});
    bench.Wait(1001);
    EXPECT_EQ(bench.Send({0x00}), Bytes{0xFE});
    // The confirmation, too, is only awaited for a second.
    bench.Send({'R', 1});
    bench.Wait(1500);
    EXPECT_EQ(bench.Send({0x01}), Bytes{}) << "0x01 starts no known frame";
}

TEST(VirtualControllerFramesTest, ALateEchoStillGetsItsSecondForTheConfirmation) {
    auto setup = Bench::Setup();
    setup.p2 = 0xFF;
    std::string error;
    ASSERT_TRUE(setup.faults.Add("delay:1500", error));
    Bench bench(std::move(setup));
    bench.Send({'R', 1});
    bench.Wait(1600);
    EXPECT_EQ(bench.Take(), Bytes{'R' + 1});
    bench.Wait(500);
    bench.Send({0x01});
    bench.Wait(1500);
    EXPECT_EQ(bench.Take(), (Bytes{0x01, 0x05, 0xDC}));
}

}  // namespace
}  // namespace orvane::test
