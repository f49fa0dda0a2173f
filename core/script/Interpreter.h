// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/commands/CommandTable.h"
#include "core/device/DeviceLink.h"
#include "core/host/EditorAccess.h"
#include "core/host/Timers.h"
#include "core/script/ControlFlow.h"
#include "core/script/RunRules.h"
#include "core/script/RunPrompts.h"
#include "core/script/RunState.h"
#include "core/script/ScriptContext.h"
#include "core/script/ScriptEngine.h"
#include "core/script/StatementReader.h"

namespace orvane::script {

// Runs the editor's script on the PC, one statement per tick of its run timer, while the
// controller sits in commands mode. The host calls OnTimer for its two timers;
// the run commands of the "&Wykonaj" menu take effect between ticks. The editor's enabled state
// is the run indicator: a run disables it at its start and enables it at its end.
class Interpreter {
public:
    // The window timers of a run: the tick that carries out one statement, and the refresh of
    // the variable list beside the editor.
    static constexpr int kTimerRunTick = 1141;
    static constexpr int kTimerVariableList = 1138;
    static constexpr int kTickMs = 1;
    static constexpr int kVariableListMs = 300;
    static constexpr int kReturnToSystemSeconds = 10;

    // Told of every statement a tick is about to carry out, with its place in the text.
    using StatementObserver = std::function<void(std::int32_t start, std::int32_t end)>;
    // Asked before every statement a tick is about to carry out; true halts a running run right
    // there, as Pauza halts it, with the statement selected and not yet carried out (Krok or
    // Uruchom carries it out). Asked in step mode too, so the host can follow where the run is.
    using BreakCheck = std::function<bool(std::int32_t start, std::int32_t end)>;

    Interpreter(host::EditorAccess& editor, device::DeviceLink& link,
                const commands::CommandTable& commands, host::Timers& timers);
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // --- run commands ----------------------------------------------------------------------------
    void Start();    // Uruchom: run continuously (also resumes a halted run)
    void Step();     // Krok: start halted, or carry out one statement of a halted run
    void Pause();    // Pauza: halt a running run, or start one halted
    void Stop();     // Stop
    void Restart();  // Restart: from the top, with no variables and no pending calls

    // --- operations ------------------------------------------------------------------------------
    void StartRun();
    void RunTick();
    void CollectLabels();
    void EndRun();
    void StopRun();
    void RestartRun();
    void RefreshVariableList();
    // Handles the run's two timers; false for any other id (the state check belongs to the link).
    bool OnTimer(int id);

    // --- state -----------------------------------------------------------------------------------
    bool RunExists() const { return runExists_; }
    // The last run command, for the enabling rules.
    script::RunCommand LastRunCommand() const { return runCommand_; }
    bool StepMode() const { return state_.stepMode; }
    const RunState& State() const { return state_; }
    const StatementReader& Reader() const { return reader_; }
    void SetStatementObserver(StatementObserver observer) { observer_ = std::move(observer); }
    void SetBreakCheck(BreakCheck check) { breakCheck_ = std::move(check); }

private:
    bool AtEnd() const;
    bool HaltsHere();
    bool EnterKomendy();
    void FinishTick(std::optional<int> waitMs);
    void SelectNext();
    void Select(std::int32_t start, std::int32_t end);
    void ShowVariableList();
    void HideVariableList();
    void GiveEditorBack();
    // The run's own state; the editor is told, read-only while the run exists.
    void SetRunExists(bool exists);

    host::EditorAccess& editor_;
    device::DeviceLink& link_;
    bool runExists_ = false;
    host::Timers& timers_;
    host::Prompts& prompts_;
    RunPrompts statementPrompts_;
    RunState state_;
    StatementReader reader_;
    ScriptContext context_;
    ScriptEngine engine_;
    ControlFlow flow_;
    script::RunCommand runCommand_ = script::RunCommand::Stop;
    std::int32_t savedSelectionStart_ = 0;
    std::int32_t savedSelectionEnd_ = 0;
    StatementObserver observer_;
    BreakCheck breakCheck_;
};

}  // namespace orvane::script
