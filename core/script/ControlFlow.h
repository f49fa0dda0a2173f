// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/script/RunState.h"
#include "core/script/ScriptContext.h"
#include "core/script/ScriptEngine.h"

namespace orvane::script {

// Carries out one statement of a run: its kind decides (else, empty, "}", "{", label or
// declaration, assignment, control keyword, device command, or none), and the statement
// positions, the read limit and the two stacks move accordingly. Every failure is a box; a No
// in any of them ends the run at its next tick.
class ControlFlow {
public:
    ControlFlow(ScriptContext& context, ScriptEngine& engine, RunState& state)
        : context_(context), engine_(engine), state_(state) {}

    // Executes `statement`, just read at the reader's positions. The delay of the next tick in
    // ms when the statement is a Wait outside step mode; nothing for the usual next tick.
    std::optional<int> Execute(const Statement& statement);

    // The next tick ends the run: the position goes to the end of the text, no block limit can
    // hold it there, and a halted run no longer waits for Krok.
    void EndAtNextTick();
    // Asks a Yes/No box of the run: Yes passes over the statement, No ends the run.
    bool AskToGoOn(const std::string& caption, const std::string& text);
    // The body of a block or loop is used up with no frame to return to ("Błąd timera!!!").
    void ReportLostBlock();

private:
    void Next();  // on to the statement after the current one
    bool Stopped();
    std::optional<int> Keyword(const std::string& name, const std::string& statement);
    void CloseBlock();
    void OpenBlock();
    void Assign(const std::string& name, const std::string& statement);
    void GoTo(const std::string& statement);
    bool InOwnBlock() const;
    void LeaveBlocksAround(std::int32_t target);
    void EnterBlocksTo(std::int32_t target);
    Statement ReadAt(StatementSpan span);
    const LabelTable::Entry* FindLabel(const std::string& statement) const;
    void CallLabel(const std::string& statement, bool copyVariables);
    void Return();
    void While(const std::string& statement);
    void FrameLoopBody(StatementSpan loop);
    void If(const std::string& statement);
    std::optional<int> Wait(const std::string& statement);
    void Remove(const std::string& statement);
    void DeviceCommand(const std::string& statement);
    void ReportMissingLabel(const std::string& statement);

    ScriptContext& context_;
    ScriptEngine& engine_;
    RunState& state_;
};

}  // namespace orvane::script
