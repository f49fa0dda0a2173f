#include "app/run/RunController.h"

#include <QTimer>
#include <Qsci/qsciscintilla.h>

#include "app/device/DeviceThread.h"
#include "app/document/ScriptDocument.h"
#include "app/editor/EditorHolds.h"
#include "app/editor/Markers.h"
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

constexpr int kBreakpointMask = 1 << editor::kBreakpointMarker;

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
    commands.SetHandler(CommandId::RunBreakpoint, [this] {
        int line = 0;
        int index = 0;
        parts_.editor.Scintilla()->getCursorPosition(&line, &index);
        ToggleBreakpoint(line);
    });
    connect(parts.editor.Scintilla(), &QsciScintilla::marginClicked, this,
            [this](int margin, int line, Qt::KeyboardModifiers) {
                if (margin == editor::kSymbolMargin) ToggleBreakpoint(line);
            });
    // Breakpoints belong to the script they were set in, and so does a run: another script
    // opened meanwhile ends it.
    connect(&parts.document, &document::ScriptDocument::replaced, this, [this] {
        parts_.editor.Scintilla()->markerDeleteAll(editor::kBreakpointMarker);
        SyncBreakpoints();
        if (status_.exists || startsOnTheirWay_ > 0) Stop();
    });
}

void RunController::Give(Order order) {
    const bool starts = Starts(order);
    if (starts) {
        // The run reads the text as it stands now; nothing may change it before the run has it.
        parts_.holds.Expect();
        SyncBreakpoints();
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

void RunController::ToggleBreakpoint(int line) {
    QsciScintilla* sci = parts_.editor.Scintilla();
    if (line < 0 || line >= sci->lines()) return;
    if ((sci->markersAtLine(line) & kBreakpointMask) != 0) sci->markerDelete(line, editor::kBreakpointMarker);
    else sci->markerAdd(line, editor::kBreakpointMarker);
    SyncBreakpoints();
}

void RunController::SyncBreakpoints() {
    const QsciScintilla* sci = parts_.editor.Scintilla();
    std::vector<int> lines;
    for (int line = sci->markerFindNext(0, kBreakpointMask); line >= 0;
         line = sci->markerFindNext(line + 1, kBreakpointMask)) {
        lines.push_back(line);
    }
    breakpoints_->Set(std::move(lines));
}

void RunController::MarkCurrentLine(int line) {
    QsciScintilla* sci = parts_.editor.Scintilla();
    sci->markerDeleteAll(editor::kCurrentStatementMarker);
    if (line >= 0) sci->markerAdd(line, editor::kCurrentStatementMarker);
}

// --- what the run shows -----------------------------------------------------------------------

void RunController::ShowSelection(std::int32_t start, std::int32_t end) {
    editor::ScriptEditor& editor = parts_.editor;
    editor.SetSelection(start, end);
    if (held_) MarkCurrentLine(editor.LineFromPosition(start));
}

void RunController::ShowEnabled(bool enabled) {
    held_ = !enabled;
    parts_.holds.SetHeld(held_);
    if (enabled) MarkCurrentLine(-1);
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
