// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/SequenceTool.h"

#include <algorithm>

#include "core/host/Cp1250.h"
#include "core/tools/DecimalText.h"

namespace orvane::tools {

namespace {

int Byte(int value) { return std::clamp(value, 0, 255); }

std::string WaitLine(int milliseconds) { return "Wait(" + std::to_string(milliseconds) + ");\n"; }

}  // namespace

ToolStep SequenceTool::Open(const device::PortLoan& loan) {
    state_.selection = kPause;
    state_.positionText.clear();
    state_.step = state_.time = state_.soft = "0";
    state_.slider = kMinPosition;
    state_.off = true;
    state_.servosEnabled = link_.Open(loan);
    SelectPause();
    return ToolStep::Going;
}

ToolStep SequenceTool::Select(int selection) {
    if (selection < kPause || selection > kServos || (selection != kPause && !state_.servosEnabled)) {
        return ToolStep::Going;
    }
    if (RestoreSelected() == ToolStep::Cancelled) return ToolStep::Cancelled;
    state_.selection = selection;
    if (selection == kPause) {
        SelectPause();
        return ToolStep::Going;
    }
    state_.label = host::Pl("Pozycja aktualna:");
    const std::optional<int> read = link_.Read(selection);
    if (!read) return ToolStep::Cancelled;
    state_.positionText = state_.offLabel = std::to_string(*read);
    state_.off = *read == 0;
    state_.slider = state_.off ? kMinPosition : std::clamp(*read, kMinPosition, kMaxPosition);
    return ToolStep::Going;
}

void SequenceTool::SelectPause() {
    state_.label = "Czas pauzy [ms]:";
    state_.pauseText = "1000";
    result_ = WaitLine(1000);
}

void SequenceTool::SetPauseText(const std::string& text) {
    const int pause = std::clamp(DecimalText::Parse(text), kMinPause, kMaxPause);
    state_.pauseText = std::to_string(pause);
    result_ = WaitLine(pause);
}

void SequenceTool::SetArguments(std::string step, std::string time, std::string soft) {
    state_.step = std::move(step);
    state_.time = std::move(time);
    state_.soft = std::move(soft);
}

ToolStep SequenceTool::MoveSlider(int position) {
    if (!ServoSelected()) return ToolStep::Going;
    state_.slider = std::clamp(position, kMinPosition, kMaxPosition);
    if (state_.off) return ToolStep::Going;
    state_.offLabel = std::to_string(state_.slider);
    return SetServo({state_.selection, 255, 0, 10, state_.slider});
}

ToolStep SequenceTool::SetOff(bool off) {
    if (!ServoSelected()) return ToolStep::Going;
    state_.off = off;
    if (off) {
        state_.offLabel = "0";
        return SetServo({state_.selection, 0, 0, 0, 0});
    }
    state_.offLabel = std::to_string(state_.slider);
    const std::optional<int> read = link_.Read(state_.selection);
    if (!read) return ToolStep::Cancelled;
    return SetServo({state_.selection, 0, *read < 1 ? 0 : 1, 0, state_.slider});
}

ToolStep SequenceTool::Ok() {
    if (!ServoSelected()) {
        SetPauseText(state_.pauseText);
        return ToolStep::Confirmed;
    }
    const ServoMove move = state_.off ? ServoMove{state_.selection, 0, 0, 0, 0}
                                      : ServoMove{state_.selection, DecimalText::Parse(state_.step),
                                                  DecimalText::Parse(state_.time), DecimalText::Parse(state_.soft),
                                                  state_.slider};
    return SetServo(move) == ToolStep::Cancelled ? ToolStep::Cancelled : ToolStep::Confirmed;
}

ToolStep SequenceTool::End() {
    RestoreSelected();
    link_.Close();
    return ToolStep::Cancelled;
}

// Back to the position read when the servo was chosen, whatever "OFF" says now: ticking
// "OFF" while trying a servo must not leave it switched off once another one is chosen.
ToolStep SequenceTool::RestoreSelected() {
    if (!ServoSelected()) return ToolStep::Going;
    const int position = DecimalText::Parse(state_.positionText);
    return SetServo(position != 0 ? ServoMove{state_.selection, 0, 2, 0, position}
                                  : ServoMove{state_.selection, 0, 0, 0, 0});
}

ToolStep SequenceTool::SetServo(const ServoMove& move) {
    const std::string name = link_.SetCommandName();
    const commands::CommandDef* def = link_.SetCommand();
    result_.clear();
    if (def == nullptr) {
        const bool goOn = link_.Prompts().AskYesNo(
            host::Pl("Komenda nie zdefiniowana! (WP3)"),
            host::Pl("Komenda niezdefiniowana:  \"") + name + host::Pl("\"!\n\nCzy kontynuować pracę?"));
        return goOn ? ToolStep::Going : ToolStep::Cancelled;
    }
    result_ = name + "(" + std::to_string(move.servo) + "," + std::to_string(Byte(move.step)) + "," +
              std::to_string(Byte(move.time)) + "," + std::to_string(Byte(move.soft)) + "," +
              std::to_string(move.position) + ");\n";
    const char* caption = nullptr;
    switch (link_.Send(*def, move)) {
        case ServoLink::Reply::Ok: return ToolStep::Going;
        case ServoLink::Reply::BadEcho: caption = "BŁĄD (WP2)"; break;
        case ServoLink::Reply::NoAck: caption = "BŁĄD (WP1)"; break;
    }
    const bool goOn = link_.Prompts().AskYesNo(
        host::Pl(caption), host::Pl("Błąd wykonania komendy:  ") + result_ + host::Pl("\n\nCzy kontynuować pracę?"));
    return goOn ? ToolStep::Going : ToolStep::Cancelled;
}

}  // namespace orvane::tools
