// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/compile/CompileController.h"

#include <optional>

#include "app/compile/ReportWindow.h"
#include "app/device/DeviceThread.h"
#include "app/document/ScriptDocument.h"
#include "app/editor/EditorHolds.h"
#include "app/editor/EditorMarks.h"
#include "app/editor/ScriptEditor.h"
#include "app/host/EditorSnapshot.h"
#include "app/host/QtProgress.h"
#include "app/host/QtPrompts.h"
#include "app/host/ThreadDocument.h"
#include "app/host/ThreadEditor.h"
#include "app/host/ThreadProcessRunner.h"
#include "app/window/CommandBoard.h"
#include "app/window/StatusLine.h"
#include "app/host/QtText.h"
#include "core/compiler/DeviceProgramWriter.h"
#include "core/host/Cp1250.h"

namespace orvane::app::compile {

namespace {
using orvane::compiler::CompileOutcome;


QString OutcomeText(const orvane::compiler::CompileResult& result) {
    switch (result.outcome) {
        case CompileOutcome::Written: return QStringLiteral("Program skompilowany i zapisany do sterownika.");
        case CompileOutcome::Compiled: return QStringLiteral("Program skompilowany: %1").arg(host::FromCp1250(result.hexPath));
        case CompileOutcome::DeviceUnavailable:
            return QStringLiteral("Program skompilowany, nie zapisany do sterownika: %1").arg(host::FromCp1250(result.hexPath));
        case CompileOutcome::WriteFailed:
            return QStringLiteral("Program skompilowany; zapis do sterownika nie został wykonany.");
        case CompileOutcome::TranslationErrors:
            return QStringLiteral("Program skompilowany z błędami tłumaczenia; nie zapisano go do sterownika.");
        case CompileOutcome::AssemblyErrors: return QStringLiteral("Asembler zgłosił błędy; zobacz raport kompilacji.");
        case CompileOutcome::AssemblerFailed: return QStringLiteral("Asemblera nie udało się uruchomić.");
        case CompileOutcome::Abandoned: return QStringLiteral("Kompilację przerwano.");
        case CompileOutcome::NotStarted: break;
    }
    return {};
}
}  // namespace

CompileController::CompileController(const Parts& parts) : QObject(parts.parent), parts_(parts) {
    parts.commands.SetHandler(window::CommandId::RunCompile, [this] { Compile(); });
}

void CompileController::Compile() { Start(true, {}); }

void CompileController::CompileWithoutWrite(std::function<void(const orvane::compiler::CompileResult&)> done) {
    Start(false, std::move(done));
}

void CompileController::Start(bool write, std::function<void(const orvane::compiler::CompileResult&)> done) {
    editor::ScriptEditor& editor = parts_.editor;
    if (parts_.holds.IsHeld()) {  // a run or a compile holds the text
        if (done) done({});
        return;
    }
    editor.Marks().ClearErrors();
    editor.Marks().ClearWarnings();
    parts_.holds.Expect();
    if (write) parts_.progress.Expect(host::FlashTask::Write, orvane::device::FlashArea::Kind::Program);
    auto job = std::make_shared<Job>();
    job->write = write;
    job->done = std::move(done);
    parts_.device.Post(
        [this, job, snapshot = host::EditorSnapshot::Of(editor)](device::DeviceSession& session) {
            host::ThreadEditor text;
            text.Reset(snapshot, *this, this);
            host::ThreadDocument document(parts_.document, this);
            host::ThreadProcessRunner runner(this, [this, job](const std::string& path) { ShowReport(path, *job); });
            std::optional<orvane::compiler::DeviceProgramWriter> writer;
            if (job->write) writer.emplace(session.Link(), session.Flash());
            orvane::script::StatementReader reader(text);
            orvane::script::LabelTable labels;
            orvane::script::VariableTable variables;
            orvane::compiler::CompileDriver driver(
                {text, document, session.Settings(), session.Prompts(), session.Files(), runner,
                 session.Folders().programFolder, writer ? &*writer : nullptr, job->map.get(),
                 [&session] { return session.Run().Interpreter().RunExists(); },
                 [job](const std::vector<orvane::compiler::EngineWarning>& warnings) {
                     job->warnings = warnings;  // shown with the report before the write
                     return true;
                 }},
                {reader, labels, variables, session.Commands()});
            job->result = driver.CompileScript();
        },
        [this, job] {
            parts_.holds.Arrived();
            Finish(*job);
        });
}

// On the window thread, while the compile waits on the device thread for the report to close.
void CompileController::ShowReport(const std::string& path, const Job& job) {
    if (parts_.prompts.IsClosing()) return;  // the window is going: nobody to read it
    ReportWindow report(parts_.parent, job.map);
    report.Load(host::FromCp1250(path));
    report.ShowWarnings(job.warnings, parts_.help);
    for (const auto& span : report.ErrorStatements()) MarkError(span);
    for (const auto& warning : job.warnings)
        parts_.editor.Marks().MarkWarning(parts_.editor.LineFromPosition(warning.span.start));
    connect(&report, &ReportWindow::statementChosen, this, &CompileController::ShowStatement);
    report.exec();
}

void CompileController::ShowStatement(orvane::script::StatementSpan span) {
    editor::ScriptEditor& editor = parts_.editor;
    editor.SetSelection(span.start, span.end);
    editor.ShowLine(editor.LineFromPosition(span.start));
}

void CompileController::MarkError(orvane::script::StatementSpan span) {
    parts_.editor.Marks().MarkError(parts_.editor.LineFromPosition(span.start));
}

void CompileController::Finish(const Job& job) {
    last_ = job.result;
    lastMap_ = job.map;
    if (job.result.stop) {
        // The caret goes where the translation gave up, after the compile gave the editor back.
        ShowStatement(job.result.stop->span);
        MarkError(job.result.stop->span);
        parts_.editor.Focus();
    }
    QString text = OutcomeText(job.result);
    if (!text.isEmpty() && !job.result.warnings.empty())
        text += QStringLiteral(" Ostrzeżenia: %1 (zobacz raport).").arg(job.result.warnings.size());
    if (!text.isEmpty()) parts_.status.ShowMessage(text, 10000);
    if (job.done) job.done(job.result);
    emit finished();
}

// --- what the compile shows ---------------------------------------------------------------------

void CompileController::ShowSelection(std::int32_t start, std::int32_t end) { parts_.editor.SetSelection(start, end); }

void CompileController::ShowEnabled(bool enabled) { parts_.holds.SetHeld(!enabled); }

void CompileController::ShowFocus() { parts_.editor.Focus(); }

}  // namespace orvane::app::compile
