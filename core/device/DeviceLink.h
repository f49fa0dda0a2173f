// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/device/DeviceMode.h"
#include "core/device/DeviceParams.h"
#include "core/device/ModeObserver.h"
#include "core/device/SerialCtrl.h"
#include "core/host/Prompts.h"
#include "core/host/SettingsStore.h"
#include "core/host/Timers.h"
#include "core/host/SettingKeys.h"

namespace orvane::device {

// The port a device dialog borrows from the view while it is shown.
struct PortLoan {
    int portIndex = 0;
    int baud = 0;
};

// How the view takes the link back from a device dialog.
enum class LoanEnd {
    ResetRs232,  // the control and servo dialogs: Reset RS232 with its box, then the check
    Restart,     // the RS232 dialog: the start sequence from the settings it may have stored
    KeepPort,    // the device parameters: the view keeps its port, only the check rests
};

// The view's side of the controller: its last known mode, the mode switches, the periodic state
// check, Reset RS232, lending the port to device dialogs and the device parameters. It holds the
// state the window, the run loop, the compiler and the CLI share: DeviceMode, showRsOpenError,
// the port index and the current baud rate. Every conversation runs on the caller's thread and
// waits by sleeping in the port (never spinning); timers are only started and killed here, their
// handlers (OnTimer) are called back by the host.
class DeviceLink {
public:
    // The state check's timers: 1139 while the controller answers, 1140 while it is silent.
    static constexpr int kTimerAnswering = 1139;
    static constexpr int kTimerSilent = 1140;

    // SwitchToSystem starts over while the controller falls back to Program right after
    // confirming System; this many times at most, then the switch counts as failed (OTS1).
    static constexpr int kMaxSystemRepeats = 3;

    // Shows the device-parameters dialog with the flags read from the controller; true on OK,
    // with the flags to send back left in the argument.
    using ParamsDialog = std::function<bool(DeviceParams&)>;

    DeviceLink(CSerialCtrl& serial, host::SettingsStore& settings, host::Prompts& prompts,
               host::Timers& timers, ModeObserver* observer = nullptr);

    // --- shared state ---------------------------------------------------------------------
    device::DeviceMode Mode() const { return mode_; }
    bool IsMode(device::DeviceMode mode) const { return mode_ == mode; }
    // The port's device went away and the state check has not yet opened it again.
    bool PortLost() const { return portLost_ || serial_.HungUp(portIndex_); }
    bool ShowRsOpenError() const { return showRsOpenError_; }
    int PortIndex() const { return portIndex_; }
    int Baud() const { return baud_; }
    // The RS232 dialog's speed detection changes the current rate without reopening.
    void SetCurrentBaud(int baud) { baud_ = baud; }
    CSerialCtrl& Serial() { return serial_; }
    host::SettingsStore& Settings() { return settings_; }
    host::Prompts& Prompts() { return prompts_; }

    // --- port start sequence ---------------------------------------------------------------
    // Start-up: port index from "COM", open ("Błąd (OIU3)" on failure), speed from
    // "Baud Rate" even after a failed open. The caller loads the command table, then calls
    // QueryDeviceMode and StartStateCheck. True when the port opened.
    bool OpenPortAtStartUp();
    // After the RS232 dialog: the same with the box "BŁĄD RS (OOU2)", then the mode query.
    bool ReopenAfterRs232Dialog();

    // --- modes -----------------------------------------------------------------------------
    // The mode of the reply (none in time: "Nieznany"); the observer is told.
    void ApplyModeReply(std::optional<std::uint8_t> reply);
    void QueryDeviceMode();
    void SwitchToSystem();
    void SwitchToKomendy();
    void SwitchToProgram();
    void SwitchToBootLoader();

    // --- state check ---------------------------------------------------------------------------
    void StartStateCheck();
    void StopStateCheck();
    // Timer handlers; OnTimer dispatches 1139 and 1140 and returns false for other ids.
    bool OnTimer(int id);
    void OnAnsweringTimer();
    void OnSilentTimer();

    // --- port reset and hand-over ------------------------------------------------------------
    void ResetRs232();
    // Lends the link to a device dialog: the state check stops and, unless the port is kept,
    // the port closes for the dialog to open; a loan ending in Reset RS232 also kills the
    // timers named by StopWhileLent, so nothing else talks to the controller meanwhile. The
    // dialog's exchanges follow on the caller's thread, then TakeBack.
    PortLoan Lend(LoanEnd end);
    // Ends the loan the way Lend was told; nothing when no loan is out.
    void TakeBack();
    bool Lent() const { return loan_.has_value(); }
    // A timer of another layer (the run tick) that a loan ending in Reset RS232 stops, and how
    // that layer goes on once the link is back (a run carries on where the dialog cut in).
    void StopWhileLent(int timerId, std::function<void()> resume = {}) {
        lentTimers_.push_back({timerId, std::move(resume)});
    }

    // --- device parameters -----------------------------------------------------------------
    // Reads the flags in System mode, shows the dialog and writes them back after OK. False
    // when the controller could not be brought into System mode (nothing was shown).
    bool EditDeviceParameters(const ParamsDialog& dialog);
    // The same in steps for a dialog shown elsewhere: the flags read in System mode, with the
    // link lent (kept port) until TakeBack; nothing, and the check running again, when the
    // controller could not be brought into System mode.
    std::optional<DeviceParams> LendForParameters();
    void WriteParameters(const DeviceParams& params);

    // --- requests the flash operations build on --------------------------------------------
    // Discards stale input, sends `bytes` in one write and returns the reply byte read within
    // `seconds`; nothing when none came. A request that could not be written has no reply to
    // wait for and gives nothing at once.
    std::optional<std::uint8_t> Request(std::span<const std::uint8_t> bytes, int seconds);
    std::optional<std::uint8_t> Request(std::initializer_list<std::uint8_t> bytes, int seconds);
    // Discards stale input and sends without reading; false when the bytes were not written.
    bool Send(std::initializer_list<std::uint8_t> bytes);
    // Sends as is, keeping waiting input (the page frames of a flash write); then one reply.
    std::optional<std::uint8_t> Exchange(std::span<const std::uint8_t> bytes, int seconds);
    // A mode request: sends one byte and applies the reply read within `seconds`.
    void RequestMode(std::uint8_t byte, int seconds);
    // The next byte within `seconds`; nothing when none came.
    std::optional<std::uint8_t> ReadReply(int seconds);
    // The next bytes of a stream that ends after a silence of more than `seconds`.
    std::optional<std::span<const std::uint8_t>> ReadStreamChunk(int seconds);

private:
    // The port start sequence: the index from "COM" and the open, with the box `failCaption`
    // when it fails (none when null); the speed from "Baud Rate" when the port opened, or
    // always with `baudWhenClosed`. True when the port opened.
    bool StartPort(const char* failCaption, bool baudWhenClosed);
    void ReportIfNot(device::DeviceMode mode, const char* caption, const char* text);
    int CheckPeriodMs(const host::IntSetting& period) const;
    // Closes a hung-up port and opens it again by its path, quietly; true when it is open.
    bool Reconnect();
    void SetLost(bool lost);

    CSerialCtrl& serial_;
    host::SettingsStore& settings_;
    host::Prompts& prompts_;
    host::Timers& timers_;
    ModeObserver* observer_;

    device::DeviceMode mode_ = device::DeviceMode::NotQueried;
    struct LentTimer {
        int id = 0;
        std::function<void()> resume;
    };
    std::vector<LentTimer> lentTimers_;
    std::optional<LoanEnd> loan_;
    bool showRsOpenError_ = true;
    bool portLost_ = false;
    int portIndex_ = 0;
    int baud_ = 115200;
};

}  // namespace orvane::device
