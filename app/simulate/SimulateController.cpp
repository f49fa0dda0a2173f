// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulate/SimulateController.h"

#include <QFileInfo>
#include <QMetaObject>

#include "app/compile/CompileController.h"
#include "app/editor/EditorMarks.h"
#include "app/editor/ScriptEditor.h"
#include "app/run/VariableDock.h"
#include "app/servo/ServoView.h"
#include "app/simulate/ObjectLines.h"
#include "app/simulate/TimelineDock.h"
#include "app/window/CommandBoard.h"
#include "app/window/DockArea.h"
#include "app/window/StatusLine.h"
#include "app/host/QtText.h"
#include "core/host/Cp1250.h"
#include "core/host/Prompts.h"

namespace orvane::app::simulate {

namespace {
constexpr int kMessageMs = 10000;


}  // namespace

SimulateController::SimulateController(const Parts& parts)
    : QObject(parts.parent), parts_(parts), dock_(new TimelineDock(parts.files, parts.prompts, parts.parent)) {
    setObjectName(QStringLiteral("simulation"));
    parts_.docks.AddDock(dock_, false);
    QAction* toggle = dock_->toggleViewAction();
    toggle->setText(QString::fromUtf8("Prze&bieg serw"));
    toggle->setStatusTip(QString::fromUtf8("Pokazuje lub ukrywa przebieg serw ostatniej symulacji"));
    parts_.docks.AddViewToggle(toggle);
    parts_.commands.SetHandler(window::CommandId::RunSimulate, [this] { Simulate(); });
    parts_.commands.SetHandler(window::CommandId::RunStop, [this] { Stop(); });
    connect(dock_, &TimelineDock::speedChosen, this, [this](double factor) {
        if (run_) run_->SetFactor(factor);
    });
}

SimulateController::~SimulateController() = default;

void SimulateController::Simulate() {
    if (run_ || compiling_) return;
    compiling_ = true;
    stopped_ = false;
    parts_.compiles.CompileWithoutWrite([this](const orvane::compiler::CompileResult& result) {
        compiling_ = false;
        if (result.outcome == orvane::compiler::CompileOutcome::Compiled && !stopped_) Start(result.hexPath);
    });
}

void SimulateController::Start(const std::string& hexPath) {
    // The exports are offered beside the script, named after it as the HEX file is.
    const QFileInfo hex(host::FromCp1250(hexPath));
    objectPath_ = (hex.absolutePath() + QLatin1Char('/') + hex.completeBaseName() + QStringLiteral(".obj")).toStdString();
    dock_->Begin(hex.absolutePath() + QLatin1Char('/') + hex.completeBaseName());
    parts_.servos.Clear();
    if (auto* dock = parts_.servos.parentWidget()) dock->show();
    parts_.variables.Begin();
    // The run's thread hands everything to this object's thread; whatever is still queued when
    // this object goes is dropped with it.
    run_ = std::make_unique<SimulationRun>(
        hex.filePath().toStdString(), dock_->Speed(),
        [this](SimulationRun::Progress progress) {
            QMetaObject::invokeMethod(this, [this, progress = std::move(progress)] {
                Progressed(progress.moves, progress.nowUs);
            }, Qt::QueuedConnection);
        },
        [this](SimulationRun::End end) {
            QMetaObject::invokeMethod(this, [this, end = std::move(end)] { Ended(end); }, Qt::QueuedConnection);
        });
    parts_.status.ShowMessage(QString::fromUtf8("Symulacja: program działa w symulowanym sterowniku."), 0);
    parts_.commands.SetSimulating(true);
    emit runningChanged(true);
}

// Stop during the compile lets it finish (it may be writing files) but starts nothing.
void SimulateController::Stop() {
    stopped_ = true;
    if (run_) run_->Stop();
}

void SimulateController::Progressed(const std::vector<simchip::ServoMove>& moves, std::int64_t nowUs) {
    if (!run_) return;  // a slice's report that crossed the end
    ServoTimeline& timeline = dock_->Timeline();
    for (const simchip::ServoMove& m : moves) {
        timeline.AddMove(static_cast<int>(m.servo), m.startUs, static_cast<int>(m.from), static_cast<int>(m.to),
                         m.arrivalUs);
    }
    dock_->Refresh(nowUs);
    for (int servo : timeline.MovedServos()) parts_.servos.SetPosition(servo, timeline.PositionAt(servo, nowUs).value_or(0));
}

void SimulateController::Ended(const SimulationRun::End& end) {
    run_.reset();
    parts_.commands.SetSimulating(false);
    emit runningChanged(false);  // before a box holds the user
    dock_->Refresh(end.endUs);
    QStringList lines;
    for (const std::string& line : end.variableLines) lines << host::FromCp1250(line);
    if (end.ending != SimulationRun::Ending::NotLoaded) {
        parts_.variables.SetLines(lines);
        parts_.variables.Finish();
    }
    const QString at = TimelineDock::Seconds(end.endUs);
    switch (end.ending) {
        case SimulationRun::Ending::Ended:
            parts_.status.ShowMessage(QString::fromUtf8("Symulacja zakończona po %1 s czasu symulacji.").arg(at), kMessageMs);
            break;
        case SimulationRun::Ending::Stopped:
            parts_.status.ShowMessage(QString::fromUtf8("Symulację zatrzymano po %1 s czasu symulacji.").arg(at), kMessageMs);
            break;
        case SimulationRun::Ending::Faulted:
        case SimulationRun::Ending::NotLoaded:
            parts_.status.ShowMessage(QString::fromUtf8("Symulacja przerwana po %1 s czasu symulacji.").arg(at), kMessageMs);
            parts_.prompts.Tell(orvane::host::Pl("Błąd symulacji"),
                                orvane::host::Utf8ToCp1250(end.message + ShowFaultStatement(end).toStdString()),
                                orvane::host::Icon::Error);
            break;
    }
}

// The fault's address, through the assembler's object file to a line of the generated program,
// and through the compile's map to the statement it came from: marked in the margin as a compile
// marks an error, and selected. The mark goes with the next compile or run, or an edit of the line.
QString SimulateController::ShowFaultStatement(const SimulationRun::End& end) {
    const auto map = parts_.compiles.LastMap();
    if (!end.faultAddress || !map) return {};
    const std::optional<int> asmLine = ObjectLines::LineOf(objectPath_, *end.faultAddress);
    const auto span = asmLine ? map->StatementOfLine(*asmLine) : std::nullopt;
    if (!span || span->end > parts_.editor.Length()) return {};
    editor::ScriptEditor& editor = parts_.editor;
    const int line = editor.LineFromPosition(span->start);
    editor.Marks().MarkError(line);
    editor.SetSelection(span->start, span->end);
    editor.ShowLine(line);
    const QString text = host::FromCp1250(editor.LineText(line)).trimmed();
    return QStringLiteral("\nInstrukcja w wierszu %1: %2").arg(line + 1).arg(text);
}

}  // namespace orvane::app::simulate
