#include "app/run/RunController.h"

#include <QAction>
#include <QStatusBar>
#include <QTimer>
#include <Qsci/qsciscintilla.h>

#include "app/document/ScriptDocument.h"
#include "app/editor/Markers.h"
#include "app/editor/ScriptEditor.h"
#include "app/host/EditorSnapshot.h"
#include "app/run/VariableDock.h"
#include "app/shell/EditorHolds.h"
#include "app/shell/MainWindow.h"
#include "core/host/Cp1250.h"

namespace orvane::app::run {

namespace {
using shell::CommandId;
using orvane::script::RunCommand;
using Order = RunSession::Order;

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

RunController::RunController(shell::MainWindow& window)
    : QObject(&window), window_(window), dock_(new VariableDock(&window)) {
    window.addDockWidget(Qt::RightDockWidgetArea, dock_);
    dock_->hide();
    window.SetHandler(CommandId::RunStart, [this] { Give(Order::Start); });
    window.SetHandler(CommandId::RunStep, [this] { Give(Order::Step); });
    window.SetHandler(CommandId::RunPause, [this] { Give(Order::Pause); });
    window.SetHandler(CommandId::RunRestart, [this] { Give(Order::Restart); });
    window.SetHandler(CommandId::RunStop, [this] { Stop(); });
    window.SetHandler(CommandId::RunBreakpoint, [this] {
        int line = 0;
        int index = 0;
        window_.Editor().Scintilla()->getCursorPosition(&line, &index);
        ToggleBreakpoint(line);
    });
    connect(window.Editor().Scintilla(), &QsciScintilla::marginClicked, this,
            [this](int margin, int line, Qt::KeyboardModifiers) {
                if (margin == editor::kSymbolMargin) ToggleBreakpoint(line);
            });
    // Breakpoints belong to the script they were set in, and so does a run: another script
    // opened meanwhile ends it.
    connect(&window.Document(), &document::ScriptDocument::replaced, this, [this] {
        window_.Editor().Scintilla()->markerDeleteAll(editor::kBreakpointMarker);
        SyncBreakpoints();
        if (status_.exists || startsOnTheirWay_ > 0) Stop();
    });
}

void RunController::Give(Order order) {
    const bool starts = Starts(order);
    if (starts) {
        // The run reads the text as it stands now; nothing may change it before the run has it.
        window_.Holds().Expect();
        SyncBreakpoints();
        ++startsOnTheirWay_;
    }
    if (const auto command = CommandOf(order)) window_.SetRunCommand(*command);
    host::EditorSnapshot snapshot = starts ? host::EditorSnapshot::Of(window_.Editor()) : host::EditorSnapshot{};
    window_.Device().Post(
        [this, order, snapshot = std::move(snapshot), breakpoints = breakpoints_](device::DeviceSession& session) {
            session.Run().Carry(order, snapshot, *this, this, breakpoints);
        },
        [this, starts] {
            if (!starts) return;
            --startsOnTheirWay_;
            window_.Holds().Arrived();
        });
}

void RunController::Stop() {
    host::WaitBreaker& breaker = window_.Device().Breaker();
    // Only a run may have its waits cut: a compile's program write must never be.
    if (status_.exists || startsOnTheirWay_ > 0) {
        breaker.Arm();
        QTimer::singleShot(kStopGraceMs, this, [this, &breaker] {
            if (breaker.FireIfArmed()) {
                window_.statusBar()->showMessage(QStringLiteral("Sterownik nie odpowiada: oczekiwanie przerwane."), 5000);
            }
        });
    }
    window_.SetRunCommand(RunCommand::Stop);
    window_.Device().Post([this, &breaker, breakpoints = breakpoints_](device::DeviceSession& session) {
        breaker.Disarm();
        session.Run().Carry(Order::Stop, {}, *this, this, breakpoints);
    });
}

void RunController::ToggleBreakpoint(int line) {
    QsciScintilla* sci = window_.Editor().Scintilla();
    if (line < 0 || line >= sci->lines()) return;
    if ((sci->markersAtLine(line) & kBreakpointMask) != 0) sci->markerDelete(line, editor::kBreakpointMarker);
    else sci->markerAdd(line, editor::kBreakpointMarker);
    SyncBreakpoints();
}

void RunController::SyncBreakpoints() {
    const QsciScintilla* sci = window_.Editor().Scintilla();
    std::vector<int> lines;
    for (int line = sci->markerFindNext(0, kBreakpointMask); line >= 0;
         line = sci->markerFindNext(line + 1, kBreakpointMask)) {
        lines.push_back(line);
    }
    breakpoints_->Set(std::move(lines));
}

void RunController::MarkCurrentLine(int line) {
    QsciScintilla* sci = window_.Editor().Scintilla();
    sci->markerDeleteAll(editor::kCurrentStatementMarker);
    if (line >= 0) sci->markerAdd(line, editor::kCurrentStatementMarker);
}

// --- what the run shows -----------------------------------------------------------------------

void RunController::ShowSelection(std::int32_t start, std::int32_t end) {
    editor::ScriptEditor& editor = window_.Editor();
    editor.SetSelection(start, end);
    if (held_) MarkCurrentLine(editor.LineFromPosition(start));
}

void RunController::ShowEnabled(bool enabled) {
    held_ = !enabled;
    window_.Holds().SetHeld(held_);
    if (enabled) MarkCurrentLine(-1);
}

void RunController::ShowFocus() { window_.Editor().Focus(); }

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
    window_.SetRunCommand(status.command);
    if (ended) {
        dock_->Finish();
        window_.statusBar()->showMessage(QStringLiteral("Program zakończony."), 5000);
    } else if (status.exists && status.halted) {
        std::int32_t start = 0;
        std::int32_t end = 0;
        window_.Editor().GetSelection(start, end);
        window_.statusBar()->showMessage(
            QStringLiteral("Program wstrzymany w wierszu %1.").arg(window_.Editor().LineFromPosition(start) + 1));
    }
}

}  // namespace orvane::app::run
