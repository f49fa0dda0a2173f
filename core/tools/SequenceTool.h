// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "core/device/DeviceLink.h"
#include "core/tools/ServoLink.h"
#include "core/tools/ToolStep.h"

namespace orvane::tools {

// What the "Sekwencja" dialog does: records one step per OK, either a pause (a Wait line) or
// one servo's move (a set-command line with its step, time and soft bytes). The selected servo
// follows its slider live; choosing another servo (or "Koniec") first puts the previous one
// back where it was when it was chosen. The dialog only shows State and forwards the actions.
class SequenceTool {
public:
    static constexpr int kPause = 0;
    static constexpr int kServos = 16;
    static constexpr int kMinPause = 1;
    static constexpr int kMaxPause = 65000;
    static constexpr int kMinPosition = 500;
    static constexpr int kMaxPosition = 2500;

    struct State {
        int selection = kPause;        // "Pauza" or servo 1..16
        std::string label;             // "Czas pauzy [ms]:" or "Pozycja aktualna:"
        std::string positionText;      // the position read when the servo was chosen
        std::string pauseText = "1000";
        std::string step = "0";        // "Krok"
        std::string time = "0";        // "Czas"
        std::string soft = "0";        // "Soft"
        int slider = kMinPosition;
        bool off = true;               // "OFF"
        std::string offLabel;          // the number beside "OFF"
        bool servosEnabled = false;    // the servo buttons: only when the port opened
    };

    explicit SequenceTool(ServoLink& link) : link_(link) {}

    ToolStep Open(const device::PortLoan& loan);
    ToolStep Select(int selection);
    // The pause time as the user left it: kept within kMinPause..kMaxPause and shown so.
    void SetPauseText(const std::string& text);
    void SetArguments(std::string step, std::string time, std::string soft);
    ToolStep MoveSlider(int position);
    ToolStep SetOff(bool off);
    ToolStep Ok();
    ToolStep End();

    const State& GetState() const { return state_; }
    // The step's script line.
    const std::string& Result() const { return result_; }

private:
    bool ServoSelected() const { return state_.selection >= 1 && state_.selection <= kServos; }
    ToolStep RestoreSelected();
    // Moves the selected servo and makes the step's line from the move.
    ToolStep SetServo(const ServoMove& move);
    void SelectPause();

    ServoLink& link_;
    State state_;
    std::string result_;
};

}  // namespace orvane::tools
