// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/DeviceConsole.h"

#include <algorithm>
#include <charconv>
#include <climits>

#include "core/host/Cp1250.h"
#include "core/tools/RefreshPeriods.h"

namespace orvane::tools {

namespace {

constexpr const char* kMinKey = "SRS MIN";
constexpr const char* kMaxKey = "SRS MAX";
constexpr const char* kStartKey = "SRS Numer Start";
constexpr const char* kStopKey = "SRS Numer Stop";
constexpr const char* kPeriodKey = "Timer czas";
constexpr std::size_t kMaxPeriodText = 100;
constexpr int kPage = 100;

// A number typed into a box, read as far as it goes: blanks, a sign, digits; none gives 0.
// Beyond the int range it saturates, so a long row of nines still clamps to the top.
int IntegerValue(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) return 0;
    const bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+') ++i;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    return static_cast<int>(std::clamp(negative ? -value : value, static_cast<long long>(INT_MIN),
                                       static_cast<long long>(INT_MAX)));
}

std::string Text(int value) { return std::to_string(value); }

}  // namespace

DeviceConsole::DeviceConsole(device::CSerialCtrl& serial, host::SettingsStore& settings, host::Prompts& prompts,
                             host::Timers& timers, host::Clock& clock)
    : serial_(serial), settings_(settings), prompts_(prompts), timers_(timers), clock_(clock) {}

ConsoleView DeviceConsole::View() const {
    ConsoleView view;
    view.values = values_;
    view.received = received_.Text(hex_);
    view.rangeMin = rangeMin_;
    view.rangeMax = rangeMax_;
    view.limitsEnabled = !values_.started;
    view.startText = values_.started ? "Stop" : "Start";
    return view;
}

ConsoleView DeviceConsole::Open(const device::PortLoan& loan) {
    portIndex_ = loan.portIndex;
    openedAtMs_ = clock_.NowMs();
    // A port that cannot be opened makes every send and refresh do nothing; nothing is told.
    serial_.OpenPort(portIndex_);
    serial_.SetBaud(loan.baud, portIndex_);
    values_.minText = Text(settings_.ReadInt(kMinKey, 0));
    values_.maxText = Text(settings_.ReadInt(kMaxKey, 250));
    values_.numberText = Text(settings_.ReadInt(kStartKey, 254));
    values_.periodText = settings_.ReadString(kPeriodKey, RefreshPeriods::kDefault).substr(0, kMaxPeriodText);
    // The slider moves between the stored limits from the start, not only after a Start.
    ApplyLimits();
    StartTimer();
    return View();
}

void DeviceConsole::StartTimer() {
    values_.periodText = RefreshPeriods::Normalized(values_.periodText);
    timers_.Start(kRefreshTimer, RefreshPeriods::PeriodMs(values_.periodText));
}

void DeviceConsole::TakeWaiting() {
    std::vector<std::uint8_t> bytes;
    while (static_cast<int>(bytes.size()) < kMaxBytesPerRefresh) {
        const auto byte = serial_.ReadByte(portIndex_);
        if (!byte) break;
        bytes.push_back(*byte);
    }
    log_.Received(clock_.NowMs() - openedAtMs_, bytes);
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
}

ConsoleView DeviceConsole::Refresh() {
    TakeWaiting();
    received_.Refresh(pending_);
    pending_.clear();
    return View();
}

ConsoleView DeviceConsole::StepPeriod(const ConsoleValues& values, bool longer) {
    values_ = values;
    timers_.Kill(kRefreshTimer);
    values_.periodText = longer ? RefreshPeriods::Longer(values_.periodText) : RefreshPeriods::Shorter(values_.periodText);
    StartTimer();
    return View();
}

void DeviceConsole::Write(const std::vector<std::uint8_t>& bytes) {
    if (serial_.WriteBytes(bytes.data(), static_cast<int>(bytes.size()), portIndex_)) {
        log_.Sent(clock_.NowMs() - openedAtMs_, bytes);
    }
}

void DeviceConsole::SendNumber() {
    if (values_.numberText.empty()) return;
    const int number = std::clamp(IntegerValue(values_.numberText), 0, 255);
    values_.numberText = Text(number);
    Write({static_cast<std::uint8_t>(number)});
}

void DeviceConsole::ApplyLimits() {
    rangeMin_ = std::clamp(IntegerValue(values_.minText), 0, 254);
    rangeMax_ = std::clamp(IntegerValue(values_.maxText), 1, 255);
    values_.minText = Text(rangeMin_);
    values_.maxText = Text(rangeMax_);
    // A minimum above the maximum leaves the slider one position to stand on.
    rangeMax_ = std::max(rangeMax_, rangeMin_);
}

// One press sends the start number and prepares the stop number, the next sends the stop
// number and prepares the start number; what the user typed in between is kept under its key.
ConsoleView DeviceConsole::StartStop(const ConsoleValues& values) {
    values_ = values;
    TakeWaiting();
    SendNumber();
    if (values_.started) {
        settings_.WriteString(kStartKey, values_.numberText);
        values_.numberText = Text(settings_.ReadInt(kStopKey, 255));
        ApplyLimits();
        settings_.WriteString(kMinKey, values_.minText);
        settings_.WriteString(kMaxKey, values_.maxText);
    } else {
        settings_.WriteString(kStopKey, values_.numberText);
        values_.numberText = Text(settings_.ReadInt(kStartKey, 254));
    }
    return View();
}

ConsoleView DeviceConsole::Slide(const ConsoleValues& values, SliderMove move, int thumb) {
    values_ = values;
    TakeWaiting();
    int& position = values_.position;
    switch (move) {
        case SliderMove::LineLeft: position -= position > rangeMin_ ? 1 : 0; break;
        case SliderMove::LineRight: position += position < rangeMax_ ? 1 : 0; break;
        case SliderMove::PageLeft: position = std::max(position - kPage, rangeMin_); break;
        case SliderMove::PageRight: position = std::min(position + kPage, rangeMax_); break;
        case SliderMove::Thumb: position = thumb; break;
        case SliderMove::ToMinimum: position = rangeMin_; break;
        case SliderMove::ToMaximum: position = rangeMax_; break;
        case SliderMove::Other: break;
    }
    position = std::clamp(position, rangeMin_, rangeMax_);
    Write({static_cast<std::uint8_t>(position)});
    return View();
}

std::optional<std::int64_t> DeviceConsole::ParseValue(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    const bool negative = text.front() == '-';
    if (negative || text.front() == '+') text.remove_prefix(1);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || end != text.data() + text.size()) return std::nullopt;
    // Too long a number still is one: it is simply too large to send.
    if (error == std::errc::result_out_of_range) return negative ? INT64_MIN : INT64_MAX;
    if (error != std::errc()) return std::nullopt;
    return negative ? -value : value;
}

std::vector<std::uint8_t> DeviceConsole::BytesOf(std::int64_t value) {
    const auto byte = [value](int shift) { return static_cast<std::uint8_t>((value >> shift) & 0xFF); };
    if (value < 256) return {byte(0)};  // a negative value goes as its low byte
    if (value < 65536) return {byte(8), byte(0)};
    if (value <= kMaxValue) return {byte(16), byte(8), byte(0)};
    return {};
}

ConsoleView DeviceConsole::Send(const ConsoleValues& values) {
    values_ = values;
    const auto value = ParseValue(values_.valueText);
    const std::string caption = host::Pl("Sterowanie zaprogramowanego urządzenia");
    if (!value) {
        prompts_.Tell(caption, host::Pl("Wpisz liczbę do wysłania: dziesiętnie albo szesnastkowo z „0x” (np. 1000 lub 0x3E8)."),
                      host::Icon::Warning);
    } else if (*value > kMaxValue || *value < kMinValue) {
        prompts_.Tell(caption, host::Pl("Liczba ") + values_.valueText +
                                   host::Pl(" nie mieści się w zakresie od -2147483648 do 16777215 (trzy bajty)."),
                      host::Icon::Warning);
    } else {
        Write(BytesOf(*value));
    }
    return View();
}

void DeviceConsole::Close(const ConsoleValues& values) {
    values_ = values;
    settings_.WriteString(kPeriodKey, values_.periodText);
    TakeWaiting();  // into the saved conversation
    pending_.clear();
    serial_.ClosePort(portIndex_);
    timers_.Kill(kRefreshTimer);
}

}  // namespace orvane::tools
