// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/run/RunController.h"

#include <QTimer>

#include "app/device/DeviceThread.h"
#include "app/document/ScriptDocument.h"
#include "app/editor/EditorHolds.h"
#include "app/editor/EditorMarks.h"
#include "app/editor/ScriptEditor.h"
#include "app/host/EditorSnapshot.h"
#include "app/run/VariableDock.h"
#include "app/window/CommandBoard.h"
#include "app/window/DockArea.h"
#include "app/window/StatusLine.h"
#include "core/host/Cp1250.h"

namespace orvane::app::run {

namespace {
using window::CommandId;
using orvane::script::RunCommand;
using device::RunStatus;
using Order = device::RunSession::Order;

bool Starts(Order order) { return order == Order::Start || order == Order::Step || order == Order::Pause; }

std::optional<RunCommand> CommandOf(Order order) {
    switch (order) {
        case Order::Start: return RunCommand::Start;
        case Order::Step: return RunCommand::Step;
        case Order::Pause: return RunCommand::Pause;
        case Order::Stop: return RunCommand::Stop;
        case Order::Restart: break;
    }
    return std::nullopt;
}
}  // namespace

RunController::RunController(const Parts& parts, QObject* parent)
    : QObject(parent), parts_(parts), dock_(new VariableDock(nullptr)) {
    parts.docks.AddDock(dock_, false);
    dock_->hide();
    window::CommandBoard& commands = parts.commands;
    commands.SetHandler(CommandId::RunStart, [this] { Give(Order::Start); });
    commands.SetHandler(CommandId::RunStep, [this] { Give(Order::Step); });
    commands.SetHandler(CommandId::RunPause, [this] { Give(Order::Pause); });
    commands.SetHandler(CommandId::RunRestart, [this] { Give(Order::Restart); });
    commands.SetHandler(CommandId::RunStop, [this] { Stop(); });
    editor::EditorMarks& marks = parts.editor.Marks();
    commands.SetHandler(CommandId::RunBreakpoint, [&marks] { marks.ToggleBreakpointAtCaret(); });
    connect(&marks, &editor::EditorMarks::breakpointsChanged, this, &RunController::SyncBreakpoints);
    // Breakpoints belong to the script they were set in, and so do a run and the values it left:
    // another script opened or started meanwhile ends the run and empties the list.
    connect(&parts.document, &document::ScriptDocument::replaced, this, [this] {
        parts_.editor.Marks().ClearBreakpoints();
        SyncBreakpoints();
        dock_->Clear();
        if (status_.exists || startsOnTheirWay_ > 0) Stop();
    });
}

void RunController::Give(Order order) {
    const bool starts = Starts(order);
    if (starts) {
        // The run reads the text as it stands now; nothing may change it before the run has it.
        parts_.holds.Expect();
        SyncBreakpoints();
        parts_.editor.Marks().ClearErrors();  // a compile's or a simulation's complaints are old now
        ++startsOnTheirWay_;
    }
    if (const auto command = CommandOf(order)) parts_.commands.SetRunCommand(*command);
    host::EditorSnapshot snapshot = starts ? host::EditorSnapshot::Of(parts_.editor) : host::EditorSnapshot{};
    parts_.device.Post(
        [this, order, snapshot = std::move(snapshot), breakpoints = breakpoints_](device::DeviceSession& session) {
            session.Run().Carry(order, snapshot, *this, this, breakpoints);
        },
        [this, starts] {
            if (!starts) return;
            --startsOnTheirWay_;
            parts_.holds.Arrived();
        });
}

void RunController::Stop() {
    host::WaitBreaker& breaker = parts_.device.Breaker();
    // Only a run may have its waits cut: a compile's program write must never be.
    if (status_.exists || startsOnTheirWay_ > 0) {
        breaker.Arm();
        QTimer::singleShot(kStopGraceMs, this, [this, &breaker] {
            if (breaker.FireIfArmed()) {
                parts_.status.ShowMessage(QStringLiteral("Sterownik nie odpowiada: oczekiwanie przerwane."), 5000);
            }
        });
    }
    parts_.commands.SetRunCommand(RunCommand::Stop);
    parts_.device.Post([this, &breaker, breakpoints = breakpoints_](device::DeviceSession& session) {
        breaker.Disarm();
        session.Run().Carry(Order::Stop, {}, *this, this, breakpoints);
    });
}

void RunController::ToggleBreakpoint(int line) { parts_.editor.Marks().ToggleBreakpoint(line); }

void RunController::SyncBreakpoints() { breakpoints_->Set(parts_.editor.Marks().Breakpoints()); }

// --- what the run shows -----------------------------------------------------------------------

void RunController::ShowSelection(std::int32_t start, std::int32_t end) {
    editor::ScriptEditor& editor = parts_.editor;
    editor.SetSelection(start, end);
    if (held_) editor.Marks().MarkCurrentLine(editor.LineFromPosition(start));
}

void RunController::ShowEnabled(bool enabled) {
    held_ = !enabled;
    parts_.holds.SetHeld(held_);
    if (enabled) parts_.editor.Marks().MarkCurrentLine(-1);
}

void RunController::ShowFocus() { parts_.editor.Focus(); }

// The list stays when the run ends, with the values it left.
void RunController::ShowVariableList(bool show) {
    if (show) dock_->Begin();
}

void RunController::ShowVariableLines(const std::vector<std::string>& lines) {
    QStringList shown;
    for (const std::string& line : lines) shown << QString::fromStdString(orvane::host::Cp1250ToUtf8(line));
    dock_->SetLines(shown);
}

void RunController::ShowStatus(const RunStatus& status) {
    const bool ended = status_.exists && !status.exists;
    status_ = status;
    parts_.commands.SetRunCommand(status.command);
    if (ended) {
        dock_->Finish();
        parts_.status.ShowMessage(QStringLiteral("Program zakończony."), 5000);
    } else if (status.exists && status.halted) {
        std::int32_t start = 0;
        std::int32_t end = 0;
        parts_.editor.GetSelection(start, end);
        parts_.status.ShowMessage(
            QStringLiteral("Program wstrzymany w wierszu %1.").arg(parts_.editor.LineFromPosition(start) + 1), 0);
    }
}

}  // namespace orvane::app::run
