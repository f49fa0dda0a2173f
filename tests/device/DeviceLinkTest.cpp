// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/DeviceLink.h"

#include <gtest/gtest.h>

#include "core/host/Cp1250.h"
#include "tests/support/DeviceRig.h"

namespace orvane::device {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int kAnswering = DeviceLink::kTimerAnswering;
constexpr int kSilent = DeviceLink::kTimerSilent;

class DeviceLinkTest : public ::testing::Test, public test::DeviceRig {
protected:
    DeviceLinkTest() { link.OpenPortAtStartUp(); }
};

const std::string kResetBox = "Reset RS232 | RS232 jest odłączony.\nProszę potwierdzić uruchomienie.";

TEST_F(DeviceLinkTest, QueryDiscardsStaleInputAndTimesOutAfterOneToTwoSeconds) {
    wire->Reply({0xFE});  // left over from before: must not pass for the answer
    Replies({{0xFF}});
    link.QueryDeviceMode();
    EXPECT_EQ(ModeName(link.Mode()), "System");
    EXPECT_EQ(wire->Written(), Bytes{0x00});

    Replies({});
    const auto before = clock.NowMs();
    link.QueryDeviceMode();
    EXPECT_EQ(ModeName(link.Mode()), "Nieznany");
    EXPECT_GT(clock.NowMs() - before, 1000);
    EXPECT_LE(clock.NowMs() - before, 2000);
}

// Each switch sends exactly its requests and reports its failure box ("caption | text"); the
// plain switches between System and Komendy are checked on the wire through the window.
TEST(DeviceLinkSwitchTest, SendsExactlyTheRequestsAndReportsFailures) {
    using L = DeviceLink;
    const struct { const char* name; void (DeviceLink::*action)(); std::vector<Bytes> replies; Bytes written; std::string mode; const char* box; } rows[] = {
        {"KomendyFromProgramSendsNothing", &L::SwitchToKomendy, {{0x00}}, {0x00}, "Program", "Błąd (OTK1) | Błąd przejścia do trybu Komendy!"},
        {"KomendyAfterAReplyOfNoMode", &L::SwitchToKomendy, {{0x12}}, {0x00}, "Nieznany", "Błąd (OTK1) | Błąd przejścia do trybu Komendy!"},
        {"KomendyUnanswered", &L::SwitchToKomendy, {{0xFF}, {}}, {0x00, 0xFE}, "Nieznany", "Błąd (OTK1) | Błąd przejścia do trybu Komendy!"},
        {"ProgramFromSystem", &L::SwitchToProgram, {{0xFF}, {}, {0x00}}, {0x00, 0xFD, 0x00}, "Program", nullptr},
        {"ProgramDidNotStart", &L::SwitchToProgram, {{0xFF}, {}, {0xFF}}, {0x00, 0xFD, 0x00}, "System", "Błąd (OTP1) | Błąd przejścia do trybu Program!"},
        {"ProgramFromKomendy", &L::SwitchToProgram, {{0xFE}}, {0x00}, "Komendy", "Błąd (OTP1) | Błąd przejścia do trybu Program!"},
        {"SystemAlready", &L::SwitchToSystem, {{0xFF}, {0xFF}}, {0x00, 0x00}, "System", nullptr},
        {"SystemFromKomendyOnSecondTry", &L::SwitchToSystem, {{0xFE}, {0xFE}, {0xFF}, {0xFF}}, {0x00, 0xFF, 0xFF, 0x00}, "System", nullptr},
        {"SystemFromNieznanySendsOnce", &L::SwitchToSystem, {{}, {0xFF}, {0xFF}}, {0x00, 0xFF, 0x00}, "System", nullptr},
        {"SystemNeverAnswers", &L::SwitchToSystem, {{0xFE}, {}, {}}, {0x00, 0xFF, 0xFF}, "Nieznany", "Błąd (OTS1) | Błąd przejścia do trybu System!"},
        {"SystemStartsOverAfterFallingBackToProgram", &L::SwitchToSystem, {{0xFF}, {0x00}, {0x00}, {0xFF}, {0xFF}}, {0x00, 0x00, 0x00, 0xFF, 0x00}, "System", nullptr},
        {"BootLoaderFromSystem", &L::SwitchToBootLoader, {{0xFF}, {0xF0}}, {0x00, 0xF0}, "BootLoader", nullptr},
        {"BootLoaderFromKomendy", &L::SwitchToBootLoader, {{0xFE}, {0xFF}, {0xF0}}, {0x00, 0xFF, 0xF0}, "BootLoader", nullptr},
        {"BootLoaderAlready", &L::SwitchToBootLoader, {{0xF0}}, {0x00}, "BootLoader", nullptr},
        {"BootLoaderProgramUnanswered", &L::SwitchToBootLoader, {{0x00}, {}}, {0x00, 0xFF}, "Nieznany", "Błąd (OTB1) | Błąd przejścia do trybu BootLoader!"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        test::DeviceRig rig;
        rig.link.OpenPortAtStartUp();
        rig.Replies(row.replies);
        (rig.link.*row.action)();
        EXPECT_EQ(rig.wire->Written(), row.written);
        EXPECT_EQ(ModeName(rig.link.Mode()), row.mode);
        EXPECT_EQ(rig.prompts.Shown(), row.box ? std::vector<std::string>{row.box} : std::vector<std::string>{});
        // Whatever happened, the check that fits the mode left behind runs again (default periods).
        EXPECT_EQ(rig.timers.IsRunning(kAnswering), row.mode != "Nieznany");
        EXPECT_FALSE(rig.timers.IsRunning(kSilent));
    }
}

TEST_F(DeviceLinkTest, SwitchToSystemGivesUpOnAControllerThatKeepsFallingBack) {
    // Every attempt: query says Program, the switch is confirmed, the next query says Program.
    wire->responder = [](const Bytes& b, test::Wire& w) { w.Reply({static_cast<std::uint8_t>(b[0] == 0xFF ? 0xFF : 0x00)}); };
    link.SwitchToSystem();
    EXPECT_EQ(wire->writes.size(), 3u * (DeviceLink::kMaxSystemRepeats + 1));
    EXPECT_EQ(prompts.Shown(), std::vector<std::string>{"Błąd (OTS1) | Błąd przejścia do trybu System!"});
}

TEST_F(DeviceLinkTest, WayToBootLoaderWaitsFourSecondsForSystem) {
    wire->responder = [](const Bytes& b, test::Wire& w) {
        if (b[0] == 0x00) w.Reply({0xFE});
        if (b[0] == 0xFF) w.Reply({0xFF}, 3900);
        if (b[0] == 0xF0) w.Reply({0xF0});
    };
    link.SwitchToBootLoader();
    EXPECT_EQ(ModeName(link.Mode()), "BootLoader");
}

TEST_F(DeviceLinkTest, StateCheckRunsOneTimerWithThePeriodOfItsSetting) {
    const struct { std::optional<std::uint8_t> reply; const char* key; const char* value; int id; int period; } rows[] = {
        {0xFF, nullptr, nullptr, kAnswering, 2000},
        {0xFE, "Sprawdzaj odpowiada co", "5", kAnswering, 5000},
        {0xFF, "Sprawdzaj odpowiada co", "0", kAnswering, -1},
        {std::nullopt, nullptr, nullptr, kSilent, -1},
        {std::nullopt, "Sprawdzaj NIE odpowiada co", "3", kSilent, 3000},
        {std::nullopt, "Sprawdzaj NIE odpowiada co", "-2", kSilent, -1},
    };
    for (const auto& row : rows) {
        test::DeviceRig rig;
        if (row.key) rig.settings.WriteString(host::Pl(row.key), row.value);
        rig.timers.Start(row.id == kAnswering ? kSilent : kAnswering, 1);  // the other one must go
        rig.link.ApplyModeReply(row.reply);
        rig.link.StartStateCheck();
        EXPECT_EQ(rig.timers.Period(row.id), row.period) << (row.key ? row.value : "");
        EXPECT_EQ(rig.timers.Running().size(), row.period > 0 ? 1u : 0u);
    }
}

TEST_F(DeviceLinkTest, ResetThatCannotOpenAsksUntilToldNotToAndTheAnsweringCheckAsksAgain) {
    settings.WriteString(host::Pl("Sprawdzaj NIE odpowiada co"), "7");
    Replies({{0xFF}});
    EXPECT_TRUE(link.OnTimer(kAnswering));
    EXPECT_EQ(ModeName(link.Mode()), "System");
    EXPECT_EQ(timers.Period(kAnswering), 2000);

    opener.refuseOpen = true;
    prompts.QueueAnswer(host::Answer::Ok);
    prompts.QueueAnswer(host::Answer::No);
    link.ResetRs232();  // answered No: the open error is not shown again...
    link.ResetRs232();
    EXPECT_EQ(prompts.Shown(), (std::vector<std::string>{
                           kResetBox, "Błąd (OTR1) | Błąd otwarcia RS232\n\nCzy wyświetlać ten komunikat ponownie?", kResetBox}));
    EXPECT_EQ(prompts.Boxes()[1].buttons, host::Buttons::YesNo);
    EXPECT_FALSE(link.ShowRsOpenError());
    EXPECT_TRUE(timers.Running().empty());
    opener.refuseOpen = false;
    link.OnTimer(kAnswering);  // ...until the answering check finds the controller gone
    EXPECT_TRUE(link.ShowRsOpenError());
    EXPECT_EQ(ModeName(link.Mode()), "Nieznany");
    EXPECT_EQ(timers.Period(kSilent), 7000);
    EXPECT_FALSE(timers.IsRunning(kAnswering));
    EXPECT_FALSE(link.OnTimer(1141));
}

TEST_F(DeviceLinkTest, SilentTimerTakesOverAModeByteTheControllerSentByItself) {
    link.ApplyModeReply(std::nullopt);
    wire->Reply({0x12, 0xFE});  // switched on: noise, then its mode
    Replies({{0xFE}});
    link.OnTimer(kSilent);
    EXPECT_EQ(pane.modes, (std::vector<std::string>{"Nieznany", "Komendy", "Komendy"}));
    EXPECT_TRUE(prompts.Boxes().empty());
    EXPECT_TRUE(timers.IsRunning(kAnswering));
}

TEST_F(DeviceLinkTest, SilentTimerResetsThePortWhenTheControllerStaysSilent) {
    link.ApplyModeReply(std::nullopt);
    link.OnTimer(kSilent);
    EXPECT_EQ(prompts.Shown(), std::vector<std::string>{kResetBox});
    EXPECT_EQ(wire->Written(), (Bytes{0x00, 0x00, 0x00}));  // before, after the reset, again
}

// The dialog owns the port alone: no tick or check may fire into its conversation, and it
// gets the speed the view works at; afterwards the view takes the link back its loan's way.
TEST_F(DeviceLinkTest, LoansStopTheTimersAndEndTheirOwnWay) {
    struct Row {
        LoanEnd end;
        bool portClosed;
        bool runTickKilled;  // and resumed once the link is back
        std::vector<std::string> boxes;
    };
    const Row rows[] = {
        {LoanEnd::ResetRs232, true, true, {kResetBox}},
        {LoanEnd::Restart, true, false, {}},
        {LoanEnd::KeepPort, false, false, {}},
    };
    int resumed = 0;
    link.StopWhileLent(1141, [&] { ++resumed; });
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.end));
        prompts.Clear();
        resumed = 0;
        link.SetCurrentBaud(38400);
        timers.Start(1141, 1);
        timers.Start(kAnswering, 2000);
        const PortLoan loan = link.Lend(row.end);
        EXPECT_EQ(loan.baud, 38400);
        EXPECT_EQ(loan.portIndex, 0);
        EXPECT_TRUE(link.Lent());
        EXPECT_EQ(serial.IsOpen(0), !row.portClosed);
        EXPECT_FALSE(timers.IsRunning(kAnswering));
        EXPECT_EQ(timers.IsRunning(1141), !row.runTickKilled);
        Replies({{0xFF}});
        link.TakeBack();
        EXPECT_FALSE(link.Lent());
        EXPECT_EQ(prompts.Shown(), row.boxes);
        EXPECT_TRUE(serial.IsOpen(0));
        EXPECT_TRUE(timers.IsRunning(kAnswering));
        EXPECT_EQ(resumed, row.runTickKilled ? 1 : 0);
        link.TakeBack();  // a second one finds no loan and asks nothing
        EXPECT_EQ(prompts.Shown(), row.boxes);
        EXPECT_EQ(resumed, row.runTickKilled ? 1 : 0);
        timers.Kill(1141);
    }
}

TEST_F(DeviceLinkTest, DeviceParametersThatNeverCameReadAsSetAndCancelSendsNothing) {
    Replies({{0xFF}, {0xFF}, {}});
    DeviceParams shown;
    EXPECT_TRUE(link.EditDeviceParameters([&](DeviceParams& p) {
        shown = p;
        p = {true, false};
        return true;
    }));
    EXPECT_TRUE(shown.runUserProgramAtStart && shown.startInKomendy);
    EXPECT_EQ(wire->writes.back(), (Bytes{0x02, 0x00, 0x00}));
    EXPECT_TRUE(timers.IsRunning(kAnswering));

    Replies({{0xFF}, {0xFF}, {0x00, 0x00}});
    link.EditDeviceParameters([](DeviceParams&) { return false; });
    EXPECT_EQ(wire->writes.back(), Bytes{0x01});
    Replies({{0xFE}, {}, {}});
    EXPECT_FALSE(link.EditDeviceParameters([](DeviceParams&) -> bool { ADD_FAILURE(); return true; }));
}

TEST(DeviceLinkStartTest, StartUpAndRs232ReopenWordTheirOpenFailures) {
    test::DeviceRig rig;
    rig.opener.refuseOpen = true;
    EXPECT_FALSE(rig.link.OpenPortAtStartUp());
    EXPECT_EQ(ModeName(rig.link.Mode()), "") << "no query yet";
    EXPECT_FALSE(rig.link.ReopenAfterRs232Dialog());
    ASSERT_EQ(rig.prompts.Boxes().size(), 2u);
    EXPECT_EQ(rig.prompts.Boxes()[0].caption, "Błąd (OIU3)");
    EXPECT_EQ(rig.prompts.Shown()[1], "BŁĄD RS (OOU2) | Błąd otwarcia RS232");
    EXPECT_EQ(ModeName(rig.link.Mode()), "Nieznany");  // the RS232 reopen still queries
    EXPECT_EQ(rig.link.Baud(), 115200);
}

}  // namespace
}  // namespace orvane::device
