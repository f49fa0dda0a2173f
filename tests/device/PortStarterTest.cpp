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

// The speed codes themselves are checked against the virtual controller.
TEST(BaudRatesTest, TheNineTextsAndEverythingElseFallsBackTo115200) {
    const std::pair<const char*, int> rows[] = {
        {"4800", 4800},   {"9600", 9600},     {"14,4k", 14400},  {"19,2k", 19200},
        {"28,8k", 28800}, {"38,4k", 38400},   {"57,6k", 57600},  {"115,2k", 115200},
        {"230,4k", 230400}, {"115200", 115200}, {"", 115200},     {"14.4k", 115200},
    };
    for (const auto& [text, rate] : rows) EXPECT_EQ(BaudRates::RateOfText(text), rate) << text;
    for (const auto& e : BaudRates::All()) EXPECT_EQ(BaudRates::TextOfRate(e.rate), e.text);
    EXPECT_EQ(BaudRates::SpeedCodeOfText("nonsense"), 5);
}

TEST(ComPortMapTest, ComNumbersMapToTtySUnlessOverridden) {
    host::MemorySettings settings;
    const ComPortMap map(settings);
    const std::pair<int, const char*> rows[] = {{1, "/dev/ttyS0"}, {12, "/dev/ttyS11"}, {0, ""}, {-4, ""}};
    for (const auto& [com, path] : rows) EXPECT_EQ(map.PathFor(com), path) << com;
    settings.WriteString(ComPortMap::OverrideKey(12), "/dev/ttyUSB0");
    EXPECT_EQ(map.PathFor(12), "/dev/ttyUSB0");
    EXPECT_EQ(map.PathFor(11), "/dev/ttyS10");
    EXPECT_EQ(host::Cp1250ToUtf8(ComPortMap::OverrideKey(3)), "Urządzenie COM3");
}

TEST(PortStarterTest, OpensTheConfiguredSlotAndSetsTheRateEvenWhenTheOpenFails) {
    const struct { const char* com; const char* baud; bool refuse; std::vector<int> opened; bool ok; int rate; } rows[] = {
        {nullptr, nullptr, false, {0}, true, 115200},
        {"12", "9600", false, {11}, true, 9600},
        {nullptr, "57,6k", true, {0}, false, 57600},
    };
    for (const auto& row : rows) {
        test::FakeClock clock;
        auto wire = std::make_shared<test::Wire>();
        wire->clock = &clock;
        test::ScriptedOpener opener{wire};
        opener.refuseOpen = row.refuse;
        test::ScriptedPrompts prompts;
        CSerialCtrl serial{opener, clock, prompts};
        host::MemorySettings settings;
        if (row.com) settings.WriteString("COM", row.com);
        if (row.baud) settings.WriteString("Baud Rate", row.baud);
        const auto r = PortStarter::Run(serial, settings);
        EXPECT_EQ(r.opened, row.ok) << row.rate;
        EXPECT_EQ(opener.opened, row.opened) << row.rate;
        EXPECT_EQ(r.baud, row.rate);
        if (row.ok) { EXPECT_EQ(wire->baud, row.rate); }
        EXPECT_TRUE(prompts.Boxes().empty());
        settings.WriteInt("COM", 0);  // refused without touching any port
        const auto below = PortStarter::Open(serial, settings);
        EXPECT_TRUE(!below.opened && below.comBelowOne);
        EXPECT_EQ(opener.opened, row.opened);
    }
}

}  // namespace
}  // namespace orvane::device
