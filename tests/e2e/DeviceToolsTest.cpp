#include <gtest/gtest.h>

#include "core/device/PosixPortOpener.h"
#include "core/device/SerialCtrl.h"
#include "core/host/MemorySettings.h"
#include "core/platform/SteadyClock.h"
#include "core/tools/Rs232Setup.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SimProcess.h"

namespace orvane::test {
namespace {

// The RS232 dialog's test on its own port against orvane-sim: a controller that answers in
// System mode is no boot loader at the chosen speed. (The window's own tests drive
// identification, the change and the control dialog through the menus.)
TEST(DeviceToolsTest, TestInSystemModeIsAnErrorThoughTheControllerAnswered) {
    SimProcess sim(ORVANE_SIM_BIN, {});
    ScriptedPrompts prompts;
    host::MemorySettings stored;
    tools::StagedSettings staged{stored};
    device::PosixPortOpener opener{staged};
    platform::SteadyClock clock;
    device::CSerialCtrl serial{opener, clock, prompts};
    tools::Rs232Setup setup{serial, staged, prompts};
    setup.Open();
    setup.Test({"115,2k", "1", sim.SlavePath()});
    EXPECT_EQ(prompts.Shown(), std::vector<std::string>{"Błąd | Nie rozpoznano danej prędkości RSa lub błąd urządzenia."});
    sim.Stop();  // its log is whole once it has ended
    EXPECT_EQ(sim.Traffic(), Exchange({0x00}, {0xFF}));
}

}  // namespace
}  // namespace orvane::test
