// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <unistd.h>

#include "core/device/ComPortMap.h"
#include "core/device/SerialStack.h"
#include "core/host/Cp1250.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/SteadyClock.h"
#include "core/host/MemorySettings.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FakeTimers.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TempDir.h"

namespace orvane::test {
namespace {

constexpr int kPort = 0;  // COM1, pointed at the simulator
using Replies = std::vector<std::optional<std::uint8_t>>;

// Wall and processor time of this process, to tell a sleeping wait from a spinning one.
struct Stopwatch {
    std::int64_t WallMs() const { return NowMs() - wall; }
    std::int64_t CpuUsedMs() const { return (std::clock() - cpu) * 1000 / CLOCKS_PER_SEC; }
    std::int64_t wall = NowMs();
    std::clock_t cpu = std::clock();
};

// The PC's side of the link over the simulator's pseudo-terminal, as the IDE builds it.
class SerialLinkTest : public ::testing::Test {
protected:
    void Start(std::vector<std::string> args = {}, const std::string& port = {}) {
        sim_ = std::make_unique<SimProcess>(ORVANE_SIM_BIN, std::move(args));
        settings_.WriteString(device::ComPortMap::OverrideKey(1), port.empty() ? sim_->SlavePath() : port);
    }
    void Open(int baud) {
        ASSERT_TRUE(ctrl_.OpenPort(kPort)) << ctrl_.LastOpenError();
        ASSERT_TRUE(ctrl_.SetBaud(baud, kPort));
    }
    // One request as the device operations send it: discard, write, await each reply byte.
    Replies Ask(std::vector<std::uint8_t> request, int replies, int seconds = 1) {
        ctrl_.DiscardInput(kPort);
        EXPECT_TRUE(ctrl_.WriteBytes(request.data(), static_cast<int>(request.size()), kPort));
        Replies got;
        for (int i = 0; i < replies; ++i) got.push_back(ctrl_.ReadByteTimeout(kPort, seconds));
        return got;
    }

    TempDir dir_;
    std::unique_ptr<SimProcess> sim_;
    host::MemorySettings settings_;
    platform::SteadyClock clock_;
    ScriptedPrompts prompts_;
    FakeTimers timers_;
    device::SerialStack stack_{settings_, clock_, prompts_, timers_};
    device::CSerialCtrl& ctrl_ = stack_.Serial();
};

TEST_F(SerialLinkTest, ModeQuerySwitchesAndVersionSurviveClosingThePortOverTheLink) {
    const std::string link = dir_ / "ttyORVANE";
    ASSERT_EQ(::symlink("/dev/pts/nonexistent", link.c_str()), 0);  // left by an earlier run
    Start({"--link", link}, link);
    EXPECT_EQ(std::filesystem::read_symlink(link), sim_->SlavePath());
    Open(115200);
    EXPECT_EQ(Ask({0x00}, 1), Replies{0xFF});
    EXPECT_EQ(Ask({0xFE}, 1), Replies{0xFE});
    EXPECT_TRUE(ctrl_.ClosePort(kPort));
    Open(115200);  // a device dialog borrowing the port and giving it back
    EXPECT_EQ(Ask({0x00}, 1), Replies{0xFE});
    EXPECT_EQ(Ask({0xFF}, 1), Replies{0xFF});
    EXPECT_EQ(Ask({0x76}, 2), (Replies{'3', '1'}));
    sim_->Stop();  // its log is whole once it has ended: a reply may reach us before its line
    EXPECT_EQ(sim_->Traffic(), Exchange({0x00}, {0xFF}) + Exchange({0xFE}, {0xFE}) + Exchange({0x00}, {0xFE}) +
                                   Exchange({0xFF}, {0xFF}) + Exchange({0x76}, {'3', '1'}));
    EXPECT_EQ(sim_->ExitCode(), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link)) << "the link goes with the simulator";
}

TEST_F(SerialLinkTest, NoAnswerAtAnotherSpeedAndTheWaitSleeps) {
    Start({"--baud", "115200"});
    Open(19200);
    const Stopwatch watch;
    EXPECT_EQ(Ask({0x00}, 1), Replies{std::nullopt});
    EXPECT_GE(watch.WallMs(), 1000);
    EXPECT_LE(watch.WallMs(), 2200);
    EXPECT_LT(watch.CpuUsedMs(), 100) << "the wait must sleep, not spin";
    EXPECT_TRUE(sim_->Traffic().empty());
    EXPECT_NE(sim_->Log().find("RX 00 ignored"), std::string::npos);

    ASSERT_TRUE(ctrl_.SetBaud(115200, kPort));
    EXPECT_EQ(Ask({0x00}, 1), Replies{0xFF});
}

TEST_F(SerialLinkTest, SpeedChangeSentRightBeforeClosingReachesTheController) {
    // The RS232 dialog's change: old rate, 0x0A and the code, close at once.
    Start();
    Open(115200);
    ASSERT_EQ(Ask({0xF0}, 1), Replies{0xF0});
    Ask({0x0A, 11}, 0);
    EXPECT_TRUE(ctrl_.ClosePort(kPort));
    // A line changes speed only once the bytes before have left; here: once they are heard.
    ASSERT_EQ(sim_->WaitHeard(3), 3u);
    Open(57600);
    EXPECT_EQ(Ask({0x00}, 1), Replies{0xF0});
}

TEST_F(SerialLinkTest, ClosingThePortNeverSwallowsTheRequestJustWritten) {
    // At the lazy-open speed, so that reopening cannot change the speed under a byte the
    // controller has not read yet: only the close itself can lose it.
    Start({"--baud", "19200"});
    constexpr std::size_t kRounds = 20;
    for (std::size_t i = 0; i < kRounds; ++i) {
        Open(19200);
        const std::uint8_t query = 0x00;
        ASSERT_TRUE(ctrl_.WriteBytes(&query, 1, kPort));
        ASSERT_TRUE(ctrl_.ClosePort(kPort));
    }
    EXPECT_EQ(sim_->WaitHeard(kRounds), kRounds);
}

TEST_F(SerialLinkTest, UnpluggedDeviceNeverHangsCrashesOrSpins) {
    Start({"--fault", "hangup-after:1"});
    Open(115200);
    EXPECT_EQ(Ask({0x00}, 1), Replies{0xFF}) << "the last byte heard is still answered";
    ASSERT_TRUE(sim_->WaitExit(3000)) << "the simulator ends after hanging up";
    EXPECT_EQ(sim_->ExitCode(), 0);

    const Stopwatch watch;
    const std::uint8_t query = 0x00;
    EXPECT_FALSE(ctrl_.WriteBytes(&query, 1, kPort));
    EXPECT_EQ(ctrl_.ReadByte(kPort), std::nullopt);
    const auto bytes = ctrl_.ReadAvailable(kPort);
    EXPECT_TRUE(!bytes || bytes->empty());
    EXPECT_EQ(ctrl_.ReadByteTimeout(kPort, 0), std::nullopt);
    EXPECT_LE(watch.WallMs(), 1200);
    EXPECT_LT(watch.CpuUsedMs(), 100) << "a dead line must not make the wait spin";
    EXPECT_TRUE(ctrl_.ClosePort(kPort));
    EXPECT_FALSE(ctrl_.OpenPort(kPort)) << "the device is gone";
}

// A simulator that hung up and is started again on the same link is found by the answering
// check, which goes on while it is away even where the silent check (with its reset box) would run.
TEST_F(SerialLinkTest, StateCheckFindsTheControllerAgainAfterAHangUpAndARestartWithoutABox) {
    const std::string path = dir_ / "ttyORVANE";
    device::DeviceLink& link = stack_.Link();
    settings_.WriteString(host::Pl("Sprawdzaj NIE odpowiada co"), "1");
    Start({"--link", path, "--fault", "hangup-after:1"}, path);
    ASSERT_TRUE(link.OpenPortAtStartUp());
    link.OnTimer(device::DeviceLink::kTimerAnswering);
    ASSERT_TRUE(sim_->WaitExit(3000));
    link.OnTimer(device::DeviceLink::kTimerAnswering);
    EXPECT_TRUE(link.PortLost());
    link.OnTimer(device::DeviceLink::kTimerSilent);
    EXPECT_EQ(timers_.Running(), (std::map<int, int>{{device::DeviceLink::kTimerAnswering, 2000}}));
    Start({"--link", path}, path);
    link.OnTimer(device::DeviceLink::kTimerAnswering);
    EXPECT_EQ(link.Mode(), device::DeviceMode::System);
    EXPECT_TRUE(prompts_.Boxes().empty());
}

// A flash file the simulator cannot read stops its start and is never saved over.
TEST_F(SerialLinkTest, BadStartIsRefusedWithAReasonAndLeavesTheFlashFileAlone) {
    EXPECT_THROW(Start({"--baud", "1234"}), std::runtime_error);
    const std::string damaged = ":10070000000102030405060708090A0B0C0D0E0F00\r\n";
    ASSERT_TRUE(platform::AtomicFile::Write(dir_ / "flash.hex", damaged));
    EXPECT_THROW(Start({"--flash", dir_ / "flash.hex"}), std::runtime_error);
    std::string text;
    ASSERT_TRUE(platform::AtomicFile::Read(dir_ / "flash.hex", text));
    EXPECT_EQ(text, damaged);
}

}  // namespace
}  // namespace orvane::test
