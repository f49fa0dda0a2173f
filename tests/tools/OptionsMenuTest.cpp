// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/OptionsMenu.h"

#include <gtest/gtest.h>

#include "tests/support/DeviceRig.h"
#include "tests/support/FakeController.h"

namespace orvane::tools {
namespace {

using Bytes = std::vector<std::uint8_t>;

class OptionsMenuTest : public ::testing::Test, public test::DeviceRig {
protected:
    OptionsMenuTest() {
        link.OpenPortAtStartUp();
        link.QueryDeviceMode();
        wire->writes.clear();
    }
    test::FakeController controller{*wire};
};

// From System, and without the boot loader (the question), the window's own tests go through it.
TEST_F(OptionsMenuTest, Rs232GoesThroughSystemToTheBootLoaderAndRestartsThePortAfterTheDialog) {
    controller.mode = 0xFE;
    link.QueryDeviceMode();
    wire->writes.clear();
    ASSERT_TRUE(OptionsMenu::LendForRs232(link));
    EXPECT_FALSE(serial.IsOpen(link.PortIndex()));
    EXPECT_TRUE(timers.Running().empty()) << "nothing else may use the port meanwhile";
    settings.WriteString("Baud Rate", "57,6k");  // what the dialog's OK stores
    link.TakeBack();
    EXPECT_EQ(link.Baud(), 57600);
    EXPECT_EQ(wire->baud, 57600);
    // Komendy: to System (queried twice on the way), then to the boot loader, then the start
    // sequence's mode query.
    EXPECT_EQ(wire->Written(), (Bytes{0x00, 0xFF, 0x00, 0x00, 0xF0, 0x00}));
    EXPECT_TRUE(timers.IsRunning(device::DeviceLink::kTimerAnswering));
    EXPECT_TRUE(prompts.Boxes().empty());
}

TEST_F(OptionsMenuTest, SettingsReloadsTheCommandsOnlyAfterOkAndRestartsTheCheckWithNewIntervals) {
    commands::CommandTable table;
    for (const char* name : {"B", "A"}) {
        commands::CommandDef def;
        def.name = name;
        table.AddNewest(def);
    }
    int reloads = 0;
    std::string names;
    const auto dialog = [&](bool ok, const char* interval) {
        return [&names, ok, interval, this](const std::string& list) {
            names = list;
            EXPECT_TRUE(timers.Running().empty());
            settings.WriteString("Sprawdzaj odpowiada co", interval);
            return ok;
        };
    };
    OptionsMenu::Settings(link, table, dialog(false, "5"), [&] { ++reloads; });
    EXPECT_EQ(names, "A;B;");
    EXPECT_EQ(reloads, 0);
    EXPECT_EQ(timers.Period(device::DeviceLink::kTimerAnswering), 5000);
    OptionsMenu::Settings(link, table, dialog(true, "0"), [&] { ++reloads; });
    EXPECT_EQ(reloads, 1);
    EXPECT_TRUE(timers.Running().empty()) << "0 switches the check off";
}

}  // namespace
}  // namespace orvane::tools
