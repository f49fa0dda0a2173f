// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/device/DeviceLink.h"
#include "core/device/SerialCtrl.h"
#include "core/host/Clock.h"
#include "core/host/Prompts.h"
#include "core/host/SettingsStore.h"
#include "core/host/Timers.h"
#include "core/tools/ConversationLog.h"
#include "core/tools/ReceivedLine.h"

namespace orvane::tools {

// What the control dialog's controls hold when an action takes them (CP1250).
struct ConsoleValues {
    std::string minText;
    std::string maxText;
    std::string numberText;  // sent by Start or Stop
    std::string valueText;   // sent by "Wyślij"
    std::string periodText;  // the refresh period
    int position = 0;        // the slider
    bool started = false;    // the Start/Stop box, as the click left it
};

// What the dialog shows after an action.
struct ConsoleView {
    ConsoleValues values;
    std::string received;
    int rangeMin = 0;
    int rangeMax = 0;
    bool limitsEnabled = true;  // "Koniec", the minimum and the maximum: only while stopped
    std::string startText = "Start";
};

// The slider's moves, as the scroll bar reports them.
enum class SliderMove { LineLeft, LineRight, PageLeft, PageRight, Thumb, ToMinimum, ToMaximum, Other };

// "Sterowanie zaprogramowanego urządzenia" without its widgets: the PC's end of a conversation
// with a user program in the controller. It sends the start and stop numbers, the slider's
// position and typed values on the port lent to it, shows what the controller sends on its
// refresh timer, and keeps the whole conversation for saving.
class DeviceConsole {
public:
    static constexpr int kRefreshTimer = 1139;
    static constexpr int kMaxBytesPerRefresh = 4096;  // a babbling line must not hold the thread
    static constexpr std::int64_t kMaxValue = 16777215;  // three bytes
    static constexpr std::int64_t kMinValue = INT32_MIN;  // sent as its low byte

    DeviceConsole(device::CSerialCtrl& serial, host::SettingsStore& settings, host::Prompts& prompts,
                  host::Timers& timers, host::Clock& clock);

    // Opening on the lent port: the stored limits, start number and refresh period; the timer runs.
    ConsoleView Open(const device::PortLoan& loan);
    // The refresh timer's tick: the bytes waiting go in front of the received line.
    ConsoleView Refresh();
    // "+" (longer period) and "-" (shorter).
    ConsoleView StepPeriod(const ConsoleValues& values, bool longer);
    ConsoleView StartStop(const ConsoleValues& values);
    ConsoleView Slide(const ConsoleValues& values, SliderMove move, int thumb = 0);
    // "Wyślij": one, two or three bytes, high byte first (a negative value as its low byte); a
    // value that is no number or lies outside kMinValue..kMaxValue is refused with a box and
    // nothing is sent.
    ConsoleView Send(const ConsoleValues& values);
    // "Koniec": the period is stored, the port closed and the timer stopped.
    void Close(const ConsoleValues& values);

    void SetHex(bool hex) { hex_ = hex; }
    bool Hex() const { return hex_; }
    ConsoleView View() const;
    const ConversationLog& Log() const { return log_; }

    // The bytes "Wyślij" sends for a value (none above three bytes).
    static std::vector<std::uint8_t> BytesOf(std::int64_t value);
    // The value text as a number: decimal, or hexadecimal after "0x"; nothing when it is none.
    static std::optional<std::int64_t> ParseValue(std::string_view text);

private:
    void StartTimer();
    // Reads what waits into the next refresh (and the log) instead of throwing it away unseen.
    void TakeWaiting();
    void Write(const std::vector<std::uint8_t>& bytes);
    void SendNumber();
    void ApplyLimits();

    device::CSerialCtrl& serial_;
    host::SettingsStore& settings_;
    host::Prompts& prompts_;
    host::Timers& timers_;
    host::Clock& clock_;
    int portIndex_ = 0;
    std::int64_t openedAtMs_ = 0;
    ConsoleValues values_;
    ReceivedLine received_;
    std::vector<std::uint8_t> pending_;  // read, not shown yet
    ConversationLog log_;
    int rangeMin_ = 0;
    int rangeMax_ = 0;
    bool hex_ = false;
};

}  // namespace orvane::tools
