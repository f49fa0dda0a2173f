#include "core/device/PortStarter.h"

#include <gtest/gtest.h>

#include "core/device/BaudRates.h"
#include "core/device/ComPortMap.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPort.h"
#include "tests/support/ScriptedPrompts.h"

namespace orvane::device {
namespace {

TEST(BaudRatesTest, TheNineTextsAndEverythingElseFallsBackTo115200) {
    const std::pair<const char*, int> rows[] = {
        {"4800", 4800},   {"9600", 9600},     {"14,4k", 14400},  {"19,2k", 19200},
        {"28,8k", 28800}, {"38,4k", 38400},   {"57,6k", 57600},  {"115,2k", 115200},
        {"230,4k", 230400}, {"115200", 115200}, {"", 115200},     {"14.4k", 115200},
    };
    for (const auto& [text, rate] : rows) EXPECT_EQ(BaudRates::RateOfText(text), rate) << text;
    // The controller's speed codes are 11059200 / (16 * rate) - 1 for every listed rate.
    for (const auto& e : BaudRates::All()) {
        EXPECT_EQ(e.speedCode, 11059200 / (16 * e.rate) - 1) << e.text;
        EXPECT_EQ(BaudRates::TextOfRate(e.rate), e.text);
    }
    EXPECT_EQ(BaudRates::SpeedCodeOfText("nonsense"), 5);
}

TEST(ComPortMapTest, ComNumbersMapToTtySUnlessOverridden) {
    host::MemorySettings settings;
    const ComPortMap map(settings);
    EXPECT_EQ(map.PathFor(1), "/dev/ttyS0");
    EXPECT_EQ(map.PathFor(12), "/dev/ttyS11");
    EXPECT_EQ(map.PathFor(0), "");
    EXPECT_EQ(map.PathFor(-4), "");
    settings.WriteString(ComPortMap::OverrideKey(12), "/dev/ttyUSB0");
    EXPECT_EQ(map.PathFor(12), "/dev/ttyUSB0");
    EXPECT_EQ(map.PathFor(11), "/dev/ttyS10");
    EXPECT_EQ(host::Cp1250ToUtf8(ComPortMap::OverrideKey(3)), "Urządzenie COM3");
}

class PortStarterTest : public ::testing::Test {
protected:
    PortStarterTest() { wire->clock = &clock; }
    test::FakeClock clock;
    std::shared_ptr<test::Wire> wire = std::make_shared<test::Wire>();
    test::ScriptedOpener opener{wire};
    test::ScriptedPrompts prompts;
    CSerialCtrl serial{opener, clock, prompts};
    host::MemorySettings settings;
};

TEST_F(PortStarterTest, WithoutSettingsOpensCom1At115200) {
    const auto r = PortStarter::Run(serial, settings);
    EXPECT_TRUE(r.opened);
    EXPECT_EQ(r.portIndex, 0);
    EXPECT_EQ(r.baud, 115200);
    EXPECT_EQ(wire->baud, 115200);
    EXPECT_EQ(opener.opened, std::vector<int>{0});
}

TEST_F(PortStarterTest, ComTwelveOpensSlotElevenAtTheConfiguredRate) {
    settings.WriteInt("COM", 12);
    settings.WriteString("Baud Rate", "9600");
    const auto r = PortStarter::Run(serial, settings);
    EXPECT_EQ(opener.opened, std::vector<int>{11});
    EXPECT_EQ(r.baud, 9600);
    EXPECT_EQ(wire->baud, 9600);
}

TEST_F(PortStarterTest, FailedOpenStillSetsTheCurrentRateWithoutABox) {
    opener.refuseOpen = true;
    settings.WriteString("Baud Rate", "57,6k");
    const auto r = PortStarter::Run(serial, settings);
    EXPECT_FALSE(r.opened);
    EXPECT_EQ(r.baud, 57600);
    EXPECT_TRUE(prompts.Boxes().empty());
}

TEST_F(PortStarterTest, ComBelowOneIsRefusedWithoutTouchingAnyPort) {
    settings.WriteInt("COM", 0);
    const auto r = PortStarter::Open(serial, settings);
    EXPECT_FALSE(r.opened);
    EXPECT_TRUE(r.comBelowOne);
    EXPECT_TRUE(opener.opened.empty());
}

}  // namespace
}  // namespace orvane::device
