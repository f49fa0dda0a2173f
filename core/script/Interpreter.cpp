// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/Interpreter.h"

#include <algorithm>

#include "core/device/ControllerBytes.h"
#include "core/host/Cp1250.h"
#include "core/script/LabelCollector.h"
#include "core/script/VariableLines.h"

namespace orvane::script {

using device::DeviceMode;

Interpreter::Interpreter(host::EditorAccess& editor, device::DeviceLink& link,
                         const commands::CommandTable& commands, host::Timers& timers)
    : editor_(editor), link_(link), timers_(timers), prompts_(link.Prompts()),
      statementPrompts_(link.Prompts()), reader_(editor),
      context_(reader_, state_.variables, commands, link.Serial(), statementPrompts_, link.PortIndex()),
      engine_(context_), flow_(context_, engine_, state_) {
    // A device dialog borrowing the port must not find a statement running on it; a run that
    // was going on goes on once the port is back (one halted or stepping waits as before).
    link_.StopWhileLent(kTimerRunTick, [this] {
        if (RunExists() && !state_.stepMode) timers_.Start(kTimerRunTick, kTickMs);
    });
}

// --- run commands ------------------------------------------------------------------------------

void Interpreter::Start() {
    runCommand_ = RunCommand::Start;
    state_.stepMode = false;
    StartRun();
}

void Interpreter::Step() {
    runCommand_ = RunCommand::Step;
    state_.stepMode = true;
    if (!RunExists()) StartRun();
    else timers_.Start(kTimerRunTick, kTickMs);
}

void Interpreter::Pause() {
    runCommand_ = RunCommand::Pause;
    state_.stepMode = true;
    timers_.Kill(kTimerRunTick);
    if (!RunExists()) StartRun();
}

void Interpreter::Stop() { StopRun(); }

void Interpreter::Restart() { RestartRun(); }

// --- start and end -----------------------------------------------------------------------------

void Interpreter::StartRun() {
    if (RunExists()) {  // halted or waiting: go on continuously
        state_.stepMode = false;
        timers_.Start(kTimerRunTick, kTickMs);
        return;
    }
    link_.StopStateCheck();
    state_.calls.Clear();
    state_.labels.Clear();
    state_.nestedLabels.clear();
    statementPrompts_.StartRun();
    state_.variables.Clear();
    state_.blocks.Clear();
    if (editor_.Length() == 0) {  // nothing to run, so no list to show either
        link_.StartStateCheck();
        return;
    }
    ShowVariableList();
    SetRunExists(true);
    editor_.GetSelection(savedSelectionStart_, savedSelectionEnd_);
    CollectLabels();

    const auto* main = state_.labels.Find("Main");
    reader_.StartAt(main ? main->position : 0);
    state_.readLimit = -1;
    context_.portIndex = link_.PortIndex();
    if (!EnterKomendy()) {
        prompts_.Tell(host::Pl("Tryb pracy(US3)"), host::Pl("Błąd przejścia do trybu Komend!"));
        HideVariableList();
        GiveEditorBack();
        return;
    }
    if (!state_.stepMode) timers_.Start(kTimerRunTick, kTickMs);
    else SelectNext();  // the run waits for Krok with its first statement shown
}

bool Interpreter::EnterKomendy() {
    link_.QueryDeviceMode();
    if (!link_.IsMode(DeviceMode::Komendy)) {
        if (!link_.IsMode(DeviceMode::System)) link_.SwitchToSystem();
        if (link_.IsMode(DeviceMode::System)) link_.SwitchToKomendy();
    }
    // The switches restart the state check; its queries must not cut into the command frames.
    link_.StopStateCheck();
    return link_.IsMode(DeviceMode::Komendy);
}

void Interpreter::CollectLabels() {
    LabelCollector::CollectLabels(reader_, state_.labels, prompts_, &state_.nestedLabels);
}

void Interpreter::EndRun() {
    timers_.Kill(kTimerRunTick);
    state_.blocks.Clear();
    SetRunExists(false);
    link_.QueryDeviceMode();
    if (!link_.IsMode(DeviceMode::System)) {
        link_.RequestMode(device::controller::kToSystem, kReturnToSystemSeconds);
        if (!link_.IsMode(DeviceMode::System)) {
            prompts_.Tell(host::Pl("BŁĄD (OT1)"),
                          host::Pl("Błąd realizacji powrotu do trybu System!"));
        }
    }
    HideVariableList();
    GiveEditorBack();
}

void Interpreter::SetRunExists(bool exists) {
    runExists_ = exists;
    editor_.SetEnabled(!exists);
}

void Interpreter::GiveEditorBack() {
    SetRunExists(false);
    editor_.SetSelection(savedSelectionStart_, savedSelectionEnd_);
    editor_.Focus();
    link_.StartStateCheck();
}

void Interpreter::StopRun() {
    runCommand_ = RunCommand::Stop;
    reader_.StartAt(editor_.Length());
    state_.readLimit = -1;
    // A halted run gets the tick that ends it, and a waiting one does not sit out its Wait.
    if (RunExists()) timers_.Start(kTimerRunTick, kTickMs);
}

void Interpreter::RestartRun() {
    reader_.JumpTo(0);
    state_.calls.Clear();
    state_.variables.Clear();
    if (RunExists()) editor_.SetSelection(0, 0);
}

// --- the tick ------------------------------------------------------------------------------------

bool Interpreter::OnTimer(int id) {
    if (id == kTimerRunTick) RunTick();
    else if (id == kTimerVariableList) RefreshVariableList();
    else return false;
    return true;
}

void Interpreter::RunTick() {
    timers_.Kill(kTimerRunTick);
    if (AtEnd()) {
        EndRun();
        return;
    }
    Statement statement = reader_.ReadStatement(state_.readLimit);
    if (state_.readLimit >= 0 && reader_.Start() >= state_.readLimit) {
        // The block or loop body is used up: a loop is evaluated again; a block whose "}" a
        // faulty statement swallowed goes on after itself, never entered anew.
        const auto frame = state_.blocks.Pop();
        if (!frame) {
            flow_.ReportLostBlock();
            FinishTick(std::nullopt);
            return;
        }
        if (frame->loop) reader_.Restore(frame->span);
        else reader_.StartAt(frame->span.end);
        state_.readLimit = frame->readLimit;
        statement = reader_.ReadStatement(state_.readLimit);
    }
    Select(reader_.Start(), reader_.End());
    // Only blanks or comments were left: nothing to show, the run ends quietly.
    const bool atText = reader_.Start() < editor_.Length();
    if (atText && HaltsHere()) {
        FinishTick(std::nullopt);  // step mode now: the same statement is read and shown again
        return;
    }
    if (observer_ && atText) observer_(reader_.Start(), reader_.End());
    statementPrompts_.AtStatement(reader_.Start());
    FinishTick(flow_.Execute(statement));
}

// A breakpoint halts the run before its statement; the next tick reads that statement again.
bool Interpreter::HaltsHere() {
    const bool asked = breakCheck_ && breakCheck_(reader_.Start(), reader_.End());
    if (!asked || state_.stepMode) return false;
    runCommand_ = RunCommand::Pause;
    state_.stepMode = true;
    reader_.JumpTo(reader_.Start());
    return true;
}

// The end of the text ends the run, unless a loop or block that closes right at the end still
// has its frame to return to.
bool Interpreter::AtEnd() const {
    const std::int32_t length = editor_.Length();
    if (reader_.Start() < length) return false;
    return state_.readLimit < 0 || state_.readLimit >= length || state_.blocks.Empty();
}

void Interpreter::FinishTick(std::optional<int> waitMs) {
    if (state_.stepMode) {
        SelectNext();
        return;
    }
    timers_.Start(kTimerRunTick, waitMs.value_or(kTickMs));
}

void Interpreter::SelectNext() {
    reader_.ReadStatement(state_.readLimit);
    Select(reader_.Start(), reader_.End());
}

void Interpreter::Select(std::int32_t start, std::int32_t end) {
    editor_.SetSelection(start, std::max(start, end));
}

// --- variable list -------------------------------------------------------------------------------

void Interpreter::ShowVariableList() {
    editor_.SetVariableLines({});
    editor_.ShowVariableList(true);
    timers_.Start(kTimerVariableList, kVariableListMs);
}

void Interpreter::HideVariableList() {
    timers_.Kill(kTimerVariableList);
    editor_.ShowVariableList(false);
}

void Interpreter::RefreshVariableList() { editor_.SetVariableLines(VariableLines::Of(state_.variables)); }

}  // namespace orvane::script
