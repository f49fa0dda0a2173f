// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/PositionTool.h"

#include <algorithm>

#include "core/host/Cp1250.h"
#include "core/tools/DecimalText.h"
#include "core/tools/ServoFormula.h"
#include "core/tools/ServoSettings.h"

namespace orvane::tools {

namespace {

int ClampPosition(std::int64_t position) {
    return static_cast<int>(std::clamp<std::int64_t>(position, PositionTool::kMinPosition, PositionTool::kMaxPosition));
}

bool IsServo(int servo) { return servo >= 1 && servo <= PositionTool::kServos; }

}  // namespace

PositionTool::PositionTool(ServoLink& link, host::SettingsStore& settings) : link_(link), settings_(settings) {}

ToolStep PositionTool::Open(const device::PortLoan& loan, const std::function<void(int servo)>& rowRead) {
    link_.Open(loan);
    for (int servo = 1; servo <= kServos; ++servo) {
        const std::optional<int> read = link_.Read(servo);
        if (!read) return ToolStep::Cancelled;
        Row& row = RowOf(servo);
        row.initial = *read;
        row.position = *read;
        row.enabled = *read >= 1;
        row.off = !row.enabled;
        if (rowRead) rowRead(servo);
    }
    state_.formula = settings_.ReadString(ServoSettings::kFormulaKey, "");
    state_.time = settings_.ReadString(ServoSettings::kTimeKey, "0");
    return ToolStep::Going;
}

ToolStep PositionTool::MoveSlider(int servo, int position) {
    if (!IsServo(servo) || !RowOf(servo).enabled) return ToolStep::Going;
    Row& row = RowOf(servo);
    row.position = ClampPosition(position);
    if (!row.off && SetServo(servo, row.position, 0) == ToolStep::Cancelled) return ToolStep::Cancelled;
    return state_.compute ? ApplyFormula() : ToolStep::Going;
}

ToolStep PositionTool::SetEnabled(int servo, bool enabled) {
    if (!IsServo(servo)) return ToolStep::Going;
    Row& row = RowOf(servo);
    row.enabled = enabled;
    if (!enabled) {
        row.position = row.initial;
        return SetServo(servo, row.initial, row.initial >= 1 ? 1 : 0);
    }
    const std::optional<int> read = link_.Read(servo);
    if (!read) return ToolStep::Cancelled;
    row.off = *read < 1;
    if (!row.off) row.position = *read;
    return ToolStep::Going;
}

ToolStep PositionTool::SetOff(int servo, bool off) {
    if (!IsServo(servo)) return ToolStep::Going;
    Row& row = RowOf(servo);
    row.off = off;
    return SetServo(servo, off ? 0 : row.position, 0);
}

// Each statement in order, over the positions as the earlier ones left them: one pass per
// slider move, so a formula that refers to itself or goes round in a circle cannot run away.
// Results stay in the sliders' range: a servo is never sent a position its slider cannot show.
ToolStep PositionTool::ApplyFormula() {
    const ServoFormula formula = ServoFormula::Parse(state_.formula);
    for (const ServoFormula::Statement& statement : formula.Statements()) {
        Row& row = RowOf(statement.target);
        if (!row.enabled) continue;
        row.position = ClampPosition(ServoFormula::Evaluate(statement, Positions()));
        if (!row.off && SetServo(statement.target, row.position, 0) == ToolStep::Cancelled) {
            return ToolStep::Cancelled;
        }
    }
    return ToolStep::Going;
}

std::array<int, PositionTool::kServos> PositionTool::Positions() const {
    std::array<int, kServos> positions{};
    std::transform(state_.rows.begin(), state_.rows.end(), positions.begin(), [](const Row& row) { return row.position; });
    return positions;
}

ToolStep PositionTool::Ok() {
    result_.clear();
    SaveFields();
    const commands::CommandDef* def = link_.SetCommand();
    if (def == nullptr) return ToolStep::Confirmed;
    // The time is a byte on the wire: a negative or too long time would run as another one.
    const int milliseconds = std::max(DecimalText::Parse(state_.time), 0);
    const int seconds = std::min(milliseconds / 1000, 255);
    for (int servo = 1; servo <= kServos; ++servo) {
        const Row& row = RowOf(servo);
        if (!row.enabled) continue;
        result_ += def->name + "(" + std::to_string(servo) + ",0," + std::to_string(seconds) + ",0," +
                   std::to_string(row.position) + ");\n";
    }
    result_ += "Wait(" + std::to_string(milliseconds) + ");\n";
    return ToolStep::Confirmed;
}

ToolStep PositionTool::End() {
    for (int servo = 1; servo <= kServos; ++servo) {
        const int initial = RowOf(servo).initial;
        if (SetServo(servo, initial, initial != 0 ? 1 : 0) == ToolStep::Cancelled) break;
    }
    link_.Close();
    SaveFields();
    return ToolStep::Cancelled;
}

ToolStep PositionTool::SetServo(int servo, int position, int time) {
    const commands::CommandDef* def = link_.SetCommand();
    if (def == nullptr) return ToolStep::Cancelled;
    const char* caption = nullptr;
    switch (link_.Send(*def, {servo, 0, time, 0, position})) {
        case ServoLink::Reply::Ok: return ToolStep::Going;
        case ServoLink::Reply::BadEcho: caption = "BŁĄD (WP2)"; break;
        case ServoLink::Reply::NoAck: caption = "BŁĄD (WP1)"; break;
    }
    return link_.Prompts().AskYesNo(host::Pl(caption), def->name) ? ToolStep::Going : ToolStep::Cancelled;
}

void PositionTool::SaveFields() {
    settings_.WriteString(ServoSettings::kFormulaKey, state_.formula);
    settings_.WriteString(ServoSettings::kTimeKey, state_.time);
}

}  // namespace orvane::tools
