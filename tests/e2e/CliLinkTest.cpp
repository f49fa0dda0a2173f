// The device link over the real serial port class and the virtual controller: lending the port
// to a dialog, which no CLI command reaches, needs a port that is really held exclusively.
#include <gtest/gtest.h>

#include "core/device/ComPortMap.h"
#include "core/device/DeviceLink.h"
#include "core/device/PosixPortOpener.h"
#include "core/host/Clock.h"
#include "core/host/MemorySettings.h"
#include "tests/support/FakeTimers.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SimProcess.h"

namespace orvane::test {
namespace {

using device::DeviceLink;

class CliLinkTest : public ::testing::Test {
protected:
    void Start() {
        sim = std::make_unique<SimProcess>(ORVANE_SIM_BIN, std::vector<std::string>{});
        settings.WriteString(device::ComPortMap::OverrideKey(1), sim->SlavePath());
        ASSERT_TRUE(link.OpenPortAtStartUp());
        link.QueryDeviceMode();
        link.StartStateCheck();
    }

    std::unique_ptr<SimProcess> sim;
    host::MemorySettings settings;
    host::SteadyClock clock;
    ScriptedPrompts prompts;
    FakeTimers timers;
    device::PosixPortOpener opener{settings};
    device::CSerialCtrl serial{opener, clock, prompts};
    DeviceLink link{serial, settings, prompts, timers};
};

TEST_F(CliLinkTest, TimersResetAndHandOverOnARealPort) {
    Start();
    EXPECT_EQ(link.DeviceMode(), "System");
    EXPECT_TRUE(link.OnTimer(DeviceLink::kTimerAnswering));
    EXPECT_EQ(timers.Period(DeviceLink::kTimerAnswering), 2000);

    // The port is held exclusively: the dialog can only open it because the view let it go.
    int shown = 0;
    link.HandOverPort([&](const device::PortLoan& loan) {
        device::CSerialCtrl own{opener, clock, prompts};
        EXPECT_EQ(own.OpenPort(loan.portIndex), 1) << own.LastOpenError();
        own.SetBaud(loan.baud, loan.portIndex);
        const std::uint8_t query = 0x00;
        own.WriteBytes(&query, 1, loan.portIndex);
        EXPECT_EQ(own.ReadByteTimeout(loan.portIndex, 1), 0xFF);
        own.ClosePort(loan.portIndex);
        return ++shown < 2;
    });
    EXPECT_EQ(shown, 2);
    ASSERT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(prompts.Boxes()[0].caption, "Reset RS232");
    EXPECT_EQ(link.DeviceMode(), "System");
    EXPECT_TRUE(timers.IsRunning(DeviceLink::kTimerAnswering));
}

}  // namespace
}  // namespace orvane::test
