#include "core/device/SerialCtrl.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPort.h"
#include "tests/support/ScriptedPrompts.h"

namespace orvane::device {
namespace {

using test::FakeClock;
using test::ScriptedOpener;
using test::ScriptedPrompts;
using test::Wire;

class SerialCtrlTest : public ::testing::Test {
protected:
    SerialCtrlTest() {
        wire->clock = &clock;
    }
    // Starts at 1000.4 s so that whole-second bounds are not trivially aligned.
    FakeClock clock{1'000'400};
    std::shared_ptr<Wire> wire = std::make_shared<Wire>();
    ScriptedOpener opener{wire};
    ScriptedPrompts prompts;
    CSerialCtrl serial{opener, clock, prompts};
};

TEST_F(SerialCtrlTest, ClosedSlotAnswersMinusOneEverywhere) {
    const std::uint8_t* bytes = nullptr;
    EXPECT_EQ(serial.ReadByte(0), -1);
    EXPECT_EQ(serial.ReadAvailable(&bytes, 0), -1);
    EXPECT_EQ(bytes, nullptr);
    EXPECT_EQ(serial.SetBaud(9600, 0), -1);
    EXPECT_EQ(serial.ClosePort(0), -1);
    EXPECT_TRUE(prompts.Boxes().empty());
}

TEST_F(SerialCtrlTest, IndexesFortyAndAboveShareTheLastSlotAndNegativeSelectsNone) {
    ASSERT_EQ(serial.OpenPort(39), 1);
    EXPECT_EQ(serial.OpenPort(45), 1);  // finds the slot open: opens nothing
    EXPECT_EQ(opener.opened, std::vector<int>{39});
    EXPECT_TRUE(serial.IsOpen(1000));
    EXPECT_EQ(serial.OpenPort(-1), 0);
    EXPECT_FALSE(serial.IsOpen(-1));
    const std::uint8_t b = 1;
    EXPECT_EQ(serial.WriteBytes(&b, 1, -3), 0);
    EXPECT_EQ(serial.ReadByte(-1), -1);
}

TEST_F(SerialCtrlTest, WriteOpensAClosedSlotAt19200AndOpeningAgainKeepsTheRate) {
    const std::uint8_t frame[] = {0x21, 0x05};
    EXPECT_EQ(serial.WriteBytes(frame, 2, 3), 1);
    EXPECT_EQ(wire->baud, 19200);
    EXPECT_FALSE(wire->dtr);
    EXPECT_EQ(wire->purges, 1);
    ASSERT_EQ(wire->writes.size(), 1u);
    EXPECT_EQ(wire->writes[0], (std::vector<std::uint8_t>{0x21, 0x05}));
    EXPECT_EQ(serial.SetBaud(115200, 3), 1);
    EXPECT_EQ(serial.OpenPort(3), 1);
    EXPECT_EQ(wire->baud, 115200);
    EXPECT_EQ(wire->opens, 1);
}

TEST_F(SerialCtrlTest, FailedOpenWritesNothingAndRefusedConfigurationKeepsThePortInItsSlot) {
    opener.refuseOpen = true;
    const std::uint8_t b = 0;
    EXPECT_EQ(serial.WriteBytes(&b, 1, 0), 0);
    EXPECT_TRUE(wire->writes.empty());
    EXPECT_FALSE(serial.LastOpenError().empty());

    opener.refuseOpen = false;
    wire->refuseConfigure = true;
    EXPECT_EQ(serial.OpenPort(0), 0);
    EXPECT_EQ(serial.OpenPort(0), 1);  // the handle stayed in its slot
    EXPECT_EQ(wire->opens, 1);
}

TEST_F(SerialCtrlTest, RefusedBaudShowsTheErrorBoxWithTheSystemsText) {
    ASSERT_EQ(serial.OpenPort(0), 1);
    wire->refuseBaud = true;
    EXPECT_EQ(serial.SetBaud(14400, 0), 0);
    ASSERT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(prompts.Boxes()[0].caption, "Error");
    EXPECT_EQ(prompts.Boxes()[0].text, "Invalid baud rate");
    EXPECT_EQ(prompts.Boxes()[0].icon, host::Icon::Information);
    EXPECT_EQ(wire->baud, 19200);
}

TEST_F(SerialCtrlTest, CloseClearsDtrPurgesAndFreesTheSlot) {
    ASSERT_EQ(serial.OpenPort(0), 1);
    wire->dtr = true;
    EXPECT_EQ(serial.ClosePort(0), 1);
    EXPECT_FALSE(wire->dtr);
    EXPECT_EQ(wire->purges, 2);
    EXPECT_FALSE(serial.IsOpen(0));
    EXPECT_EQ(serial.ClosePort(0), -1);
}

TEST_F(SerialCtrlTest, ReadAvailableTakesAtMost1024AndEndsTheBufferWithNul) {
    ASSERT_EQ(serial.OpenPort(0), 1);
    std::vector<std::uint8_t> stream(1500);
    for (std::size_t i = 0; i < stream.size(); ++i) stream[i] = static_cast<std::uint8_t>(i * 7 + 1);
    wire->ReplyBytes(stream);
    const std::uint8_t* bytes = nullptr;
    ASSERT_EQ(serial.ReadAvailable(&bytes, 0), 1024);
    ASSERT_NE(bytes, nullptr);
    EXPECT_TRUE(std::equal(bytes, bytes + 1024, stream.begin()));
    EXPECT_EQ(bytes[1024], 0);
    const std::uint8_t* rest = nullptr;
    ASSERT_EQ(serial.ReadAvailable(&rest, 0), 476);
    EXPECT_EQ(rest[0], stream[1024]);
    const std::uint8_t* untouched = reinterpret_cast<const std::uint8_t*>(&stream);
    EXPECT_EQ(serial.ReadAvailable(&untouched, 0), 0);
    EXPECT_EQ(untouched, reinterpret_cast<const std::uint8_t*>(&stream));
}

TEST_F(SerialCtrlTest, ReadByteGivesHighBytesAsValuesNotAsTimeouts) {
    ASSERT_EQ(serial.OpenPort(0), 1);
    wire->Reply({0xE8, 0xFF, 0x00});
    EXPECT_EQ(serial.ReadByteTimeout(0, 1), 232);
    EXPECT_EQ(serial.ReadByte(0), 255);
    EXPECT_EQ(serial.ReadByte(0), 0);
    EXPECT_EQ(serial.ReadByte(0), -1);
}

// The wait ends once the whole-second count has advanced by more than n: after more than n and
// at most n+1 real seconds, whatever the fraction of the second the wait began in.
TEST_F(SerialCtrlTest, ReadByteTimeoutBoundsHoldForEveryStartingFraction) {
    ASSERT_EQ(serial.OpenPort(0), 1);
    for (const int seconds : {0, 1, 3, 5}) {
        for (const std::int64_t fraction : {0, 1, 400, 999}) {
            clock.Advance(1000 - clock.NowMs() % 1000 + fraction);
            const std::int64_t before = clock.NowMs();
            EXPECT_EQ(serial.ReadByteTimeout(0, seconds), CSerialCtrl::kTimeout);
            const std::int64_t waited = clock.NowMs() - before;
            EXPECT_GT(waited, seconds * 1000LL) << seconds << " s from +" << fraction;
            EXPECT_LE(waited, seconds * 1000LL + 1000) << seconds << " s from +" << fraction;
            EXPECT_GE(clock.NowMs() / 1000 - before / 1000, seconds + 1);
        }
    }
}

TEST_F(SerialCtrlTest, AByteArrivingDuringTheWaitIsReturnedWhenItComes) {
    ASSERT_EQ(serial.OpenPort(0), 1);
    wire->Reply({0x42}, 2300);
    const std::int64_t before = clock.NowMs();
    EXPECT_EQ(serial.ReadByteTimeout(0, 3), 0x42);
    EXPECT_EQ(clock.NowMs() - before, 2300);
}

TEST_F(SerialCtrlTest, ClosedSlotStillSpendsTheWholeWaitSleeping) {
    const std::int64_t before = clock.NowMs();
    EXPECT_EQ(serial.ReadByteTimeout(7, 2), CSerialCtrl::kTimeout);
    EXPECT_GT(clock.NowMs() - before, 2000);
    EXPECT_LE(clock.NowMs() - before, 3000);
}

TEST_F(SerialCtrlTest, AVanishedDeviceTimesOutInsteadOfFailingFast) {
    ASSERT_EQ(serial.OpenPort(0), 1);
    wire->failed = true;
    const std::uint8_t b = 0;
    EXPECT_EQ(serial.WriteBytes(&b, 1, 0), 0);
    const std::int64_t before = clock.NowMs();
    EXPECT_EQ(serial.ReadByteTimeout(0, 1), CSerialCtrl::kTimeout);
    EXPECT_GT(clock.NowMs() - before, 1000);
    const std::uint8_t* bytes = nullptr;
    EXPECT_EQ(serial.ReadAvailable(&bytes, 0), 0);
}

TEST(ClockTest, WaitSecondsWaitsUntilTheCountAdvancesByN) {
    for (const std::int64_t start : {5'000, 5'001, 5'999}) {
        FakeClock clock(start);
        clock.WaitSeconds(2);
        EXPECT_EQ(clock.ClockSeconds(), 7) << start;
        EXPECT_GT(clock.SleptMs(), 1000);
        EXPECT_LE(clock.SleptMs(), 2000);
    }
    FakeClock idle(5'500);
    idle.WaitSeconds(0);
    idle.WaitSeconds(-3);
    EXPECT_EQ(idle.SleptMs(), 0);
}

}  // namespace
}  // namespace orvane::device
