// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/device/ComPortMap.h"
#include "core/device/ForwardingPort.h"
#include "core/device/PosixPortOpener.h"
#include "core/device/SerialCtrl.h"
#include "core/platform/SteadyClock.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "core/tools/Rs232Setup.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SimProcess.h"

namespace orvane::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int kSpeedUp = 8;

// Seconds of the protocol's waits pass kSpeedUp times faster, so an identification that tries
// nine speeds (a silent second or two each) takes a couple of real seconds. Replies still come
// in real time: the simulator answers within milliseconds, well inside the shortened waits.
class FastClock : public host::Clock {
public:
    std::int64_t NowMs() override { return real_.NowMs() * kSpeedUp; }
    void SleepMs(std::int64_t ms) override { real_.SleepMs(ms / kSpeedUp + 1); }

private:
    platform::SteadyClock real_;
};

class FastWaitPort : public device::ForwardingPort {
public:
    using ForwardingPort::ForwardingPort;
    bool WaitReadable(std::int64_t timeoutMs) override { return Wrapped().WaitReadable(timeoutMs / kSpeedUp + 1); }
};

class FastWaitOpener : public device::PortOpener {
public:
    explicit FastWaitOpener(const host::SettingsStore& settings) : opener_(settings) {}
    std::unique_ptr<device::PortBackend> Open(int portIndex, std::string& error) override {
        auto port = opener_.Open(portIndex, error);
        return port ? std::make_unique<FastWaitPort>(std::move(port)) : nullptr;
    }

private:
    device::PosixPortOpener opener_;
};

// The RS232 dialog's logic on its own port, as the window gives it the port, against orvane-sim
// (the window's own tests drive a successful identification, the change and the control dialog
// through the menus).
class DeviceToolsTest : public ::testing::Test {
protected:
    void Start(std::vector<std::string> args) { sim_ = std::make_unique<SimProcess>(ORVANE_SIM_BIN, std::move(args)); }
    // A request on a port of the test's own, as the window's link sends it before a dialog.
    void Ask(int baud, Bytes request, int replies) {
        host::MemorySettings settings;
        settings.WriteString(device::ComPortMap::OverrideKey(1), sim_->SlavePath());
        device::PosixPortOpener opener(settings);
        platform::SteadyClock clock;
        device::CSerialCtrl serial(opener, clock, prompts_);
        ASSERT_TRUE(serial.OpenPort(0));
        ASSERT_TRUE(serial.SetBaud(baud, 0));
        ASSERT_TRUE(serial.WriteBytes(request.data(), static_cast<int>(request.size()), 0));
        for (int i = 0; i < replies; ++i) ASSERT_TRUE(serial.ReadByteTimeout(0, 1));
        serial.ClosePort(0);
    }
    tools::Rs232Values Values(const char* baud) { return {host::Pl(baud), "1", sim_->SlavePath()}; }
    // The whole traffic, once the simulator has logged its last reply and ended.
    Traffic Logged() {
        sim_->Stop();
        return sim_->Traffic();
    }
    std::size_t Ignored() const {
        const std::string log = sim_->Log();
        std::size_t count = 0;
        for (std::size_t at = log.find("ignored"); at != std::string::npos; at = log.find("ignored", at + 1)) ++count;
        return count;
    }

    std::unique_ptr<SimProcess> sim_;
    ScriptedPrompts prompts_;
    host::MemorySettings stored_;
    tools::StagedSettings staged_{stored_};
    FastWaitOpener opener_{staged_};
    FastClock clock_;
    device::CSerialCtrl serial_{opener_, clock_, prompts_};
    tools::Rs232Setup setup_{serial_, staged_, prompts_};
};

TEST_F(DeviceToolsTest, IdentificationReportsAControllerAtASpeedOutsideTheList) {
    Start({});
    Ask(115200, {0xF0}, 1);
    Ask(115200, {0x0A, 8}, 0);  // 11059200 / (16 * 9) = 76800 baud
    sim_->WaitHeard(3);  // a line changes speed only once the bytes before have left
    setup_.Open();
    setup_.Identify(Values("115,2k"), nullptr, nullptr);
    EXPECT_EQ(prompts_.Shown(), std::vector<std::string>{"Błąd | Błąd identyfikacji RSa."});
    EXPECT_EQ(Logged(), Exchange({0xF0}, {0xF0}) + Exchange({0x0A, 8}, {}));
    EXPECT_EQ(Ignored(), 9u);
}

// The controller answers in System: the test takes it into the boot loader, where "Zmień" needs it.
TEST_F(DeviceToolsTest, TestInSystemModeBringsTheControllerIntoTheBootLoader) {
    Start({});
    setup_.Open();
    setup_.Test(Values("115,2k"));
    EXPECT_EQ(prompts_.Shown(), std::vector<std::string>{"Rozpoznanie | Prawidłowe rozpoznanie danej prędkości RSa."});
    EXPECT_EQ(Logged(), Exchange({0x00}, {0xFF}) + Exchange({0xF0}, {0xF0}) + Exchange({0x00}, {0xF0}));
}

}  // namespace
}  // namespace orvane::test
