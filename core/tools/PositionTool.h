// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <functional>
#include <string>

#include "core/device/DeviceLink.h"
#include "core/host/SettingsStore.h"
#include "core/tools/ServoLink.h"
#include "core/tools/ToolStep.h"

namespace orvane::tools {

// What the "Pozycja" dialog does: sixteen servos read when it opens and moved live by their
// sliders, the "Oblicz" formula that makes servos follow others, and on OK the set-command
// lines of the servos in use with a Wait for the execution time. "Koniec" puts every servo
// back where it was found. The dialog only shows State and forwards the user's actions.
class PositionTool {
public:
    static constexpr int kServos = 16;
    static constexpr int kMinPosition = 500;
    static constexpr int kMaxPosition = 2500;

    struct Row {
        int initial = 0;       // read when the dialog opened
        bool enabled = false;  // "Serwo n"
        int position = 0;      // the slider's value and the label's number
        bool off = false;      // "Wył."
    };
    struct State {
        std::array<Row, kServos> rows{};
        std::string formula;     // "Oblicz"
        std::string time = "0";  // "Czas realizacji", milliseconds
        bool compute = false;    // "Licz"
    };

    PositionTool(ServoLink& link, host::SettingsStore& settings);

    // The opening: the borrowed port, the sixteen reads (`rowRead` hears each servo as it is
    // read, so the dialog can fill in while the rest are read), the formula and time from the
    // settings.
    ToolStep Open(const device::PortLoan& loan, const std::function<void(int servo)>& rowRead = {});
    // A slider of an enabled servo moved to `position` (kept in range).
    ToolStep MoveSlider(int servo, int position);
    ToolStep SetEnabled(int servo, bool enabled);  // "Serwo n" clicked
    ToolStep SetOff(int servo, bool off);          // "Wył." clicked
    void SetFormula(std::string text) { state_.formula = std::move(text); }
    void SetTime(std::string text) { state_.time = std::move(text); }
    void SetCompute(bool compute) { state_.compute = compute; }
    ToolStep Ok();
    ToolStep End();

    const State& GetState() const { return state_; }
    // The script lines OK made.
    const std::string& Result() const { return result_; }

private:
    Row& RowOf(int servo) { return state_.rows[static_cast<std::size_t>(servo - 1)]; }
    ToolStep SetServo(int servo, int position, int time);
    ToolStep ApplyFormula();
    std::array<int, kServos> Positions() const;
    void SaveFields();

    ServoLink& link_;
    host::SettingsStore& settings_;
    State state_;
    std::string result_;
};

}  // namespace orvane::tools
