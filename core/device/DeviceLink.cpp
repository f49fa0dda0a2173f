// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/DeviceLink.h"

#include <algorithm>
#include <climits>

#include "core/device/ControllerBytes.h"
#include "core/device/PortStarter.h"
#include "core/host/Cp1250.h"

namespace orvane::device {

namespace {

using namespace controller;

constexpr int kModeReplySeconds = 1;
constexpr int kProgramStartSeconds = 2;
constexpr int kParamReplySeconds = 3;
// A controller that talks by itself is drained by the silent-state timer; more than this many
// bytes in one go is a babbling line, not a mode byte, and must not hold the thread.
constexpr int kMaxDrainedBytes = 4096;

}  // namespace

DeviceLink::DeviceLink(CSerialCtrl& serial, host::SettingsStore& settings, host::Prompts& prompts,
                       host::Timers& timers, ModeObserver* observer)
    : serial_(serial), settings_(settings), prompts_(prompts), timers_(timers),
      observer_(observer) {}

// --- port start sequence ---------------------------------------------------------------------

bool DeviceLink::StartPort(const char* failCaption, bool baudWhenClosed) {
    PortStarter::Result result = PortStarter::Open(serial_, settings_);
    portIndex_ = result.portIndex;
    if (result.opened) SetLost(false);
    if (!result.opened && failCaption)
        prompts_.Tell(host::Pl(failCaption), host::Pl("Błąd otwarcia RS232"));
    if (result.opened || baudWhenClosed) {
        PortStarter::ApplyBaud(serial_, settings_, result);
        baud_ = result.baud;
    }
    return result.opened;
}

bool DeviceLink::OpenPortAtStartUp() { return StartPort("Błąd (OIU3)", true); }

bool DeviceLink::ReopenAfterRs232Dialog() {
    const bool opened = StartPort("BŁĄD RS (OOU2)", true);
    QueryDeviceMode();
    return opened;
}

// --- requests ----------------------------------------------------------------------------------

std::optional<std::uint8_t> DeviceLink::Exchange(std::span<const std::uint8_t> bytes, int seconds) {
    if (!serial_.WriteBytes(bytes.data(), static_cast<int>(bytes.size()), portIndex_))
        return std::nullopt;
    return serial_.ReadByteTimeout(portIndex_, seconds);
}

std::optional<std::uint8_t> DeviceLink::Request(std::span<const std::uint8_t> bytes, int seconds) {
    serial_.DiscardInput(portIndex_);
    return Exchange(bytes, seconds);
}

std::optional<std::uint8_t> DeviceLink::Request(std::initializer_list<std::uint8_t> bytes,
                                                int seconds) {
    return Request(std::span<const std::uint8_t>(bytes.begin(), bytes.size()), seconds);
}

bool DeviceLink::Send(std::initializer_list<std::uint8_t> bytes) {
    serial_.DiscardInput(portIndex_);
    return serial_.WriteBytes(bytes.begin(), static_cast<int>(bytes.size()), portIndex_);
}

std::optional<std::uint8_t> DeviceLink::ReadReply(int seconds) {
    return serial_.ReadByteTimeout(portIndex_, seconds);
}

std::optional<std::span<const std::uint8_t>> DeviceLink::ReadStreamChunk(int seconds) {
    return serial_.ReadStreamChunk(portIndex_, seconds);
}

void DeviceLink::RequestMode(std::uint8_t byte, int seconds) {
    ApplyModeReply(Request({byte}, seconds));
}

// --- modes -------------------------------------------------------------------------------------

void DeviceLink::ApplyModeReply(std::optional<std::uint8_t> reply) {
    mode_ = ModeOfReply(reply);
    if (observer_) observer_->ModeApplied(mode_);
}

void DeviceLink::QueryDeviceMode() { RequestMode(kQuery, kModeReplySeconds); }

void DeviceLink::ReportIfNot(device::DeviceMode mode, const char* caption, const char* text) {
    if (mode_ != mode) prompts_.Tell(host::Pl(caption), host::Pl(text));
}

void DeviceLink::SwitchToProgram() {
    StopStateCheck();
    QueryDeviceMode();
    if (IsMode(DeviceMode::System)) {
        // The controller does not answer this switch; it is asked once the program has started.
        Send({kToProgram});
        serial_.Clock().WaitSeconds(kProgramStartSeconds);
        QueryDeviceMode();
    }
    ReportIfNot(DeviceMode::Program, "Błąd (OTP1)", "Błąd przejścia do trybu Program!");
    StartStateCheck();
}

void DeviceLink::SwitchToKomendy() {
    StopStateCheck();
    QueryDeviceMode();
    if (IsMode(DeviceMode::System)) RequestMode(kToKomendy, kModeReplySeconds);
    ReportIfNot(DeviceMode::Komendy, "Błąd (OTK1)", "Błąd przejścia do trybu Komendy!");
    StartStateCheck();
}

// The controller may fall back to Program right after confirming System (a user program that
// restarts itself); the switch then starts over, at most kMaxSystemRepeats times.
void DeviceLink::SwitchToSystem() {
    bool failed = false;
    for (int repeat = 0;; ++repeat) {
        StopStateCheck();
        QueryDeviceMode();
        if (!IsMode(DeviceMode::System)) {
            if (IsMode(DeviceMode::Komendy) || IsMode(DeviceMode::Program) ||
                IsMode(DeviceMode::BootLoader)) {
                RequestMode(kToSystem, kModeReplySeconds);
            }
            if (!IsMode(DeviceMode::System)) RequestMode(kToSystem, kModeReplySeconds);
        }
        if (!IsMode(DeviceMode::System)) {
            failed = true;
            break;
        }
        QueryDeviceMode();
        if (!IsMode(DeviceMode::Program)) break;
        if (repeat == kMaxSystemRepeats) {
            failed = true;
            break;
        }
    }
    if (failed) prompts_.Tell(host::Pl("Błąd (OTS1)"), host::Pl("Błąd przejścia do trybu System!"));
    StartStateCheck();
}

void DeviceLink::SwitchToBootLoader() {
    StopStateCheck();
    QueryDeviceMode();
    if (!IsMode(DeviceMode::BootLoader)) {
        if (IsMode(DeviceMode::Komendy) || IsMode(DeviceMode::Program)) {
            RequestMode(kToSystem, kSystemOnWayToBootLoaderSeconds);
        }
        if (IsMode(DeviceMode::System)) RequestMode(kToBootLoader, kModeReplySeconds);
    }
    ReportIfNot(DeviceMode::BootLoader, "Błąd (OTB1)", "Błąd przejścia do trybu BootLoader!");
    StartStateCheck();
}

// --- state check ---------------------------------------------------------------------------------

int DeviceLink::CheckPeriodMs(const host::IntSetting& period) const {
    const long long seconds = settings_.Read(period);
    return static_cast<int>(std::clamp(seconds * 1000, 0LL, static_cast<long long>(INT_MAX)));
}

// Only one of the two timers may run: 1140 while the controller is silent, 1139 otherwise. A
// lost port keeps the answering check, which opens it again as soon as its device is back: the
// silent check would reset the port with a box at every tick, and by default does not run.
void DeviceLink::StartStateCheck() {
    const bool silent = IsMode(DeviceMode::Unknown) && !PortLost();
    const int id = silent ? kTimerSilent : kTimerAnswering;
    timers_.Kill(silent ? kTimerAnswering : kTimerSilent);
    const int period = CheckPeriodMs(silent ? host::SettingKeys::kCheckSilent : host::SettingKeys::kCheckAnswering);
    if (period > 0) timers_.Start(id, period);
}

void DeviceLink::StopStateCheck() {
    timers_.Kill(kTimerAnswering);
    timers_.Kill(kTimerSilent);
}

bool DeviceLink::OnTimer(int id) {
    if (id == kTimerAnswering) OnAnsweringTimer();
    else if (id == kTimerSilent) OnSilentTimer();
    else return false;
    return true;
}

void DeviceLink::OnAnsweringTimer() {
    timers_.Kill(kTimerAnswering);
    if (!PortLost() || Reconnect()) {
        QueryDeviceMode();
        if (IsMode(DeviceMode::Unknown)) showRsOpenError_ = true;
    }
    // A hang-up seen by this query is said at once; the port is opened again at the next tick.
    if (serial_.HungUp(portIndex_)) {
        serial_.ClosePort(portIndex_);
        SetLost(true);
    }
    StartStateCheck();
}

// The device of a hung-up port may come back (an adapter plugged in again, the board or the
// simulator restarted on the same link): the port is opened anew by its path at each tick until
// it opens, without a box, and nothing that was cut by the hang-up is repeated.
bool DeviceLink::Reconnect() {
    serial_.ClosePort(portIndex_);
    if (StartPort(nullptr, false)) return true;
    SetLost(true);
    if (!IsMode(DeviceMode::Unknown)) ApplyModeReply(std::nullopt);
    return false;
}

void DeviceLink::SetLost(bool lost) {
    if (lost == portLost_) return;
    portLost_ = lost;
    if (observer_) observer_->LinkLost(lost);
}

void DeviceLink::OnSilentTimer() {
    timers_.Kill(kTimerSilent);
    if (PortLost()) return OnAnsweringTimer();  // no reset box for a device that went away
    // A mode byte the controller sent by itself (after being switched on) is taken over.
    std::optional<std::uint8_t> last;
    for (int n = 0; n < kMaxDrainedBytes; ++n) {
        const auto byte = serial_.ReadByte(portIndex_);
        if (!byte) break;
        last = byte;
    }
    if (last) ApplyModeReply(last);
    QueryDeviceMode();
    if (IsMode(DeviceMode::Unknown)) {
        ResetRs232();
        QueryDeviceMode();
    }
    StartStateCheck();
}

// --- port reset and hand-over --------------------------------------------------------------------

void DeviceLink::ResetRs232() {
    StopStateCheck();
    serial_.DiscardInput(portIndex_);
    serial_.ClosePort(portIndex_);
    prompts_.Tell("Reset RS232", host::Pl("RS232 jest odłączony.\nProszę potwierdzić uruchomienie."));
    if (StartPort(nullptr, false)) {
        QueryDeviceMode();
        StartStateCheck();
        return;
    }
    if (showRsOpenError_ &&
        !prompts_.AskYesNo(host::Pl("Błąd (OTR1)"),
                           host::Pl("Błąd otwarcia RS232\n\nCzy wyświetlać ten komunikat ponownie?"),
                           host::Icon::None)) {
        showRsOpenError_ = false;
    }
}

PortLoan DeviceLink::Lend(LoanEnd end) {
    if (end == LoanEnd::ResetRs232) {
        for (const LentTimer& timer : lentTimers_) timers_.Kill(timer.id);
    }
    StopStateCheck();
    if (end != LoanEnd::KeepPort) serial_.ClosePort(portIndex_);
    loan_ = end;
    return {portIndex_, baud_};
}

void DeviceLink::TakeBack() {
    if (!loan_) return;
    const LoanEnd end = *loan_;
    loan_.reset();
    switch (end) {
        case LoanEnd::ResetRs232:
            ResetRs232();
            serial_.DiscardInput(portIndex_);
            break;
        case LoanEnd::Restart: ReopenAfterRs232Dialog(); break;
        case LoanEnd::KeepPort: break;
    }
    StartStateCheck();
    if (end != LoanEnd::ResetRs232) return;
    for (const LentTimer& timer : lentTimers_) {
        if (timer.resume) timer.resume();
    }
}

// --- device parameters ---------------------------------------------------------------------------

bool DeviceLink::EditDeviceParameters(const ParamsDialog& dialog) {
    std::optional<DeviceParams> params = LendForParameters();
    if (!params) return false;
    if (dialog(*params)) WriteParameters(*params);
    TakeBack();
    return true;
}

std::optional<DeviceParams> DeviceLink::LendForParameters() {
    StopStateCheck();
    SwitchToSystem();
    if (!IsMode(DeviceMode::System)) return std::nullopt;  // the switch restarted the check
    // The controller stays quiet while the dialog is open.
    Lend(LoanEnd::KeepPort);
    const auto first = Request({kReadParameters}, kParamReplySeconds);
    const auto second = ReadReply(kParamReplySeconds);
    return DeviceParams::FromReplies(first, second);
}

void DeviceLink::WriteParameters(const DeviceParams& params) {
    Send({kWriteParameters, params.FirstWireByte(), params.SecondWireByte()});
}

}  // namespace orvane::device
