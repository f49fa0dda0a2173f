// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/SerialCtrl.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/DeviceRig.h"

namespace orvane::device {
namespace {

// The rig's clock starts at 1000.4 s so that whole-second bounds are not trivially aligned.
class SerialCtrlTest : public ::testing::Test, public test::DeviceRig {
protected:
    // Waits of n s from the fixture's clock time (or now): more than n and at most n+1 seconds.
    void ExpectWait(int port, int seconds, std::optional<std::uint8_t> expected, std::int64_t waitedMs = -1) {
        const std::int64_t before = clock.NowMs();
        EXPECT_EQ(serial.ReadByteTimeout(port, seconds), expected);
        const std::int64_t waited = clock.NowMs() - before;
        if (waitedMs >= 0) {
            EXPECT_EQ(waited, waitedMs);
            return;
        }
        EXPECT_GT(waited, seconds * 1000LL) << seconds << " s from " << before;
        EXPECT_LE(waited, seconds * 1000LL + 1000) << seconds << " s from " << before;
    }
};

TEST_F(SerialCtrlTest, SlotIndexRulesAndAClosedSlotAnswerNothing) {
    EXPECT_EQ(serial.ReadByte(0), std::nullopt);
    EXPECT_EQ(serial.ReadAvailable(0), std::nullopt);
    EXPECT_FALSE(serial.SetBaud(9600, 0));
    EXPECT_FALSE(serial.ClosePort(0));
    // Indexes of forty and above share the last slot; a negative one selects none.
    ASSERT_TRUE(serial.OpenPort(39));
    EXPECT_TRUE(serial.OpenPort(45));
    EXPECT_EQ(opener.opened, std::vector<int>{39});
    EXPECT_TRUE(serial.IsOpen(1000));
    EXPECT_FALSE(serial.OpenPort(-1));
    EXPECT_FALSE(serial.IsOpen(-1));
    const std::uint8_t b = 1;
    EXPECT_FALSE(serial.WriteBytes(&b, 1, -3));
    EXPECT_EQ(serial.ReadByte(-1), std::nullopt);
    EXPECT_TRUE(prompts.Boxes().empty());
}

TEST_F(SerialCtrlTest, WriteOpensAClosedSlotAt19200AndOpeningAgainKeepsTheRateButNotAFailure) {
    const std::uint8_t frame[] = {0x21, 0x05};
    EXPECT_TRUE(serial.WriteBytes(frame, 2, 3));
    EXPECT_EQ(wire->baud, 19200);
    EXPECT_FALSE(wire->dtr);
    EXPECT_EQ(wire->purges, 1);
    EXPECT_EQ(wire->writes, (std::vector<std::vector<std::uint8_t>>{{0x21, 0x05}}));
    EXPECT_TRUE(serial.SetBaud(115200, 3));
    EXPECT_TRUE(serial.OpenPort(3));
    EXPECT_EQ(wire->baud, 115200);
    EXPECT_EQ(wire->opens, 1);
    // Closing clears DTR, purges and frees the slot.
    wire->dtr = true;
    EXPECT_TRUE(serial.ClosePort(3));
    EXPECT_FALSE(wire->dtr);
    EXPECT_EQ(wire->purges, 2);
    EXPECT_FALSE(serial.IsOpen(3));
    EXPECT_FALSE(serial.ClosePort(3));
    // A failed open writes nothing; a refused configuration keeps the port in its slot.
    wire->writes.clear();
    opener.refuseOpen = true;
    EXPECT_FALSE(serial.WriteBytes(frame, 1, 0));
    EXPECT_TRUE(wire->writes.empty());
    EXPECT_FALSE(serial.LastOpenError().empty());
    opener.refuseOpen = false;
    wire->refuseConfigure = true;
    EXPECT_FALSE(serial.OpenPort(0));
    EXPECT_TRUE(serial.OpenPort(0));  // the handle stayed in its slot
    EXPECT_EQ(wire->opens, 2);
}

TEST_F(SerialCtrlTest, RefusedBaudShowsTheErrorBoxWithTheSystemsText) {
    ASSERT_TRUE(serial.OpenPort(0));
    wire->refuseBaud = true;
    EXPECT_FALSE(serial.SetBaud(14400, 0));
    ASSERT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(prompts.Boxes()[0].caption + " | " + prompts.Boxes()[0].text, "Error | Invalid baud rate");
    EXPECT_EQ(prompts.Boxes()[0].icon, host::Icon::Information);
    EXPECT_EQ(wire->baud, 19200);
}

// A device that hung up leaves its dead port in the slot; the start sequence (Reset RS232) opens
// the device anew rather than refusing the dead port's speed in a box.
TEST_F(SerialCtrlTest, TheStartSequenceOpensAHungUpDeviceAnew) {
    ASSERT_TRUE(link.OpenPortAtStartUp());
    wire->failed = true;
    EXPECT_TRUE(link.OpenPortAtStartUp());
    EXPECT_EQ(wire->opens, 2);
    EXPECT_EQ(wire->baud, 115200);
    EXPECT_TRUE(prompts.Boxes().empty());
}

TEST_F(SerialCtrlTest, ReadsTakeAtMost1024EndWithNulAndGiveHighBytesAsValues) {
    ASSERT_TRUE(serial.OpenPort(0));
    std::vector<std::uint8_t> stream(1500);
    for (std::size_t i = 0; i < stream.size(); ++i) stream[i] = static_cast<std::uint8_t>(i * 7 + 1);
    wire->ReplyBytes(stream);
    auto bytes = serial.ReadAvailable(0);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 1024u);
    EXPECT_TRUE(std::equal(bytes->begin(), bytes->end(), stream.begin()));
    EXPECT_EQ(bytes->data()[1024], 0);
    bytes = serial.ReadAvailable(0);
    ASSERT_EQ(bytes->size(), 476u);
    EXPECT_EQ(bytes->front(), stream[1024]);
    EXPECT_TRUE(serial.ReadAvailable(0)->empty());
    // High bytes are values, not timeouts.
    wire->Reply({0xE8, 0xFF, 0x00});
    EXPECT_EQ(serial.ReadByteTimeout(0, 1), 232);
    EXPECT_EQ(serial.ReadByte(0), 255);
    EXPECT_EQ(serial.ReadByte(0), 0);
    EXPECT_EQ(serial.ReadByte(0), std::nullopt);
}

// The wait ends once the whole-second count has advanced by more than n, whatever the fraction
// of the second it began in; a closed slot and a vanished device still sleep the whole wait.
TEST_F(SerialCtrlTest, ReadByteTimeoutBoundsHoldForEveryStartingFraction) {
    ExpectWait(7, 2, std::nullopt);
    ASSERT_TRUE(serial.OpenPort(0));
    for (const int seconds : {0, 1, 3, 5}) {
        for (const std::int64_t fraction : {0, 1, 400, 999}) {
            clock.Advance(1000 - clock.NowMs() % 1000 + fraction);
            const std::int64_t before = clock.NowMs();
            ExpectWait(0, seconds, std::nullopt);
            EXPECT_GE(clock.NowMs() / 1000 - before / 1000, seconds + 1);
        }
    }
    wire->Reply({0x42}, 2300);
    ExpectWait(0, 3, 0x42, 2300);  // a byte arriving during the wait is returned when it comes
    wire->failed = true;
    const std::uint8_t b = 0;
    EXPECT_FALSE(serial.WriteBytes(&b, 1, 0));
    ExpectWait(0, 1, std::nullopt);
    EXPECT_TRUE(serial.ReadAvailable(0)->empty());
}

}  // namespace
}  // namespace orvane::device
