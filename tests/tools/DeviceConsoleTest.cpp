// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/DeviceConsole.h"

#include <gtest/gtest.h>

#include "core/host/MemorySettings.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeTimers.h"
#include "tests/support/ScriptedPort.h"
#include "tests/support/ScriptedPrompts.h"

namespace orvane::tools {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int kTimer = DeviceConsole::kRefreshTimer;

class DeviceConsoleTest : public ::testing::Test {
protected:
    DeviceConsoleTest() {
        wire->clock = &clock;
        view = console.Open({2, 57600});
    }
    // The bytes written since the last call.
    Bytes Sent() {
        Bytes all = wire->Written();
        Bytes fresh(all.begin() + static_cast<long>(seen_), all.end());
        seen_ = all.size();
        return fresh;
    }
    ConsoleView Press(const std::string& number) {
        ConsoleValues values = view.values;
        values.numberText = number;
        values.started = !values.started;
        return view = console.StartStop(values);
    }

    test::FakeClock clock;
    std::shared_ptr<test::Wire> wire = std::make_shared<test::Wire>();
    test::ScriptedOpener opener{wire};
    test::ScriptedPrompts prompts;
    test::FakeTimers timers;
    host::MemorySettings settings;
    device::CSerialCtrl serial{opener, clock, prompts};
    DeviceConsole console{serial, settings, prompts, timers, clock};
    ConsoleView view;
    std::size_t seen_ = 0;
};

TEST_F(DeviceConsoleTest, StartAndStopSendTheirNumbersAndRememberWhatWasTyped) {
    view.values.minText = "-5";
    view.values.maxText = "400";
    Press("300");
    EXPECT_EQ(Sent(), Bytes{255});
    EXPECT_EQ(view.startText, "Stop");
    EXPECT_FALSE(view.limitsEnabled);
    EXPECT_EQ(view.values.numberText, "255") << "the stop number is prepared";
    EXPECT_EQ(settings.ReadString("SRS Numer Start", "") + " " + settings.ReadString("SRS MIN", "") + " " +
                  settings.ReadString("SRS MAX", ""), "255 0 255");
    EXPECT_EQ(std::make_pair(view.rangeMin, view.rangeMax), std::make_pair(0, 255));

    Press("12");
    EXPECT_EQ(Sent(), Bytes{12});
    EXPECT_EQ(view.startText, "Start");
    EXPECT_TRUE(view.limitsEnabled);
    EXPECT_EQ(settings.ReadString("SRS Numer Stop", ""), "12");
    EXPECT_EQ(view.values.numberText, "255");

    Press("");
    EXPECT_TRUE(Sent().empty()) << "an empty number sends nothing";
    EXPECT_EQ(view.values.numberText, "12");
}

TEST_F(DeviceConsoleTest, TheSliderSendsEachNewPositionWithinItsLimits) {
    view.values.minText = "10";
    view.values.maxText = "150";
    Press("1");
    Sent();
    const struct {
        SliderMove move;
        int thumb;
        int position;
    } rows[] = {
        {SliderMove::LineLeft, 0, 10},    {SliderMove::PageRight, 0, 110}, {SliderMove::PageRight, 0, 150},
        {SliderMove::LineRight, 0, 150},  {SliderMove::Thumb, 42, 42},     {SliderMove::LineRight, 0, 43},
        {SliderMove::PageLeft, 0, 10},    {SliderMove::ToMaximum, 0, 150}, {SliderMove::ToMinimum, 0, 10},
        {SliderMove::Other, 0, 10},
    };
    for (const auto& row : rows) {
        view = console.Slide(view.values, row.move, row.thumb);
        EXPECT_EQ(view.values.position, row.position);
        EXPECT_EQ(Sent(), Bytes{static_cast<std::uint8_t>(row.position)}) << "every move sends one byte";
    }
}

TEST_F(DeviceConsoleTest, SendTakesOneTwoOrThreeBytesHighFirstAndRefusesWhatDoesNotFit) {
    const std::pair<const char*, Bytes> rows[] = {
        {"-1", {0xFF}}, {"255", {0xFF}}, {"256", {0x01, 0x00}}, {"65536", {0x01, 0x00, 0x00}},
        {"16777215", {0xFF, 0xFF, 0xFF}}, {" 0x3E8 ", {0x03, 0xE8}},
        {"16777216", {}}, {"-2147483649", {}}, {"99999999999999999999999", {}}, {"12abc", {}}, {"", {}},
        {"0x", {}},  // refused with a box each
    };
    for (const auto& [text, bytes] : rows) {
        view.values.valueText = text;
        console.Send(view.values);
        EXPECT_EQ(Sent(), bytes) << text;
    }
    EXPECT_EQ(prompts.Boxes().size(), 6u);
}

TEST_F(DeviceConsoleTest, ReceivedBytesShowNewestFirstAndKeepTheLineShort) {
    for (int tick = 0; tick < 3; ++tick) console.Refresh();
    EXPECT_EQ(console.View().received, "Odebrano:,   ");
    for (int tick = 0; tick < 200; ++tick) {
        wire->Reply({123, 45});
        EXPECT_LE(console.Refresh().received.size(), 150u);
    }
    EXPECT_EQ(console.View().received.substr(0, 20), "Odebrano: 45 123, 45");
}

TEST_F(DeviceConsoleTest, PeriodStepsWithinTheTableAndKoniecStoresIt) {
    EXPECT_EQ(opener.opened, std::vector<int>{2});
    EXPECT_EQ(wire->baud, 57600);
    EXPECT_EQ(timers.Period(kTimer), 1000);
    ConsoleValues values = view.values;
    values.periodText = "10s";
    EXPECT_EQ(console.StepPeriod(values, true).values.periodText, "10s");
    values.periodText = "0,2s";
    EXPECT_EQ(console.StepPeriod(values, false).values.periodText, "0,1s");
    EXPECT_EQ(console.StepPeriod(console.View().values, false).values.periodText, "0,1s");
    EXPECT_EQ(timers.Period(kTimer), 100);
    console.Close(console.View().values);
    EXPECT_EQ(settings.ReadString("Timer czas", ""), "0,1s");
    EXPECT_FALSE(serial.IsOpen(2));
    EXPECT_FALSE(timers.IsRunning(kTimer));
    settings.WriteString("Timer czas", "7s");  // outside the table
    EXPECT_EQ(console.Open({2, 57600}).values.periodText, "1s");
}

}  // namespace
}  // namespace orvane::tools
