// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/ControlFlow.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "core/host/Cp1250.h"
#include "core/script/MessageQuote.h"
#include "core/script/StatementPieces.h"
#include "core/script/StatementWalk.h"

namespace orvane::script {

namespace {

constexpr char kEndOfText = '\xFF';

}  // namespace

std::optional<int> ControlFlow::Execute(const Statement& read) {
    // One scope for the whole statement: a No answered anywhere in it abandons all of it.
    ScriptContext::Scope scope(context_);
    auto& reader = context_.reader;

    if (read.isElse) {  // reached after its if's branch ran: the else and its branch are passed over
        reader.JumpTo(read.elseBranch);
        StatementWalk::SkipWhole(reader, state_.readLimit);
        return std::nullopt;
    }
    const std::string& statement = read.text;
    if (statement.empty()) {
        Next();
        return std::nullopt;
    }
    // Only blanks or comments were left before the end of the text: the script is done. (A 0xFF
    // character inside the text reads the same way but ends before the end; it is reported.)
    if (statement.size() == 1 && statement[0] == kEndOfText && reader.End() > reader.TextLength()) {
        EndAtNextTick();
        return std::nullopt;
    }
    if (statement[0] == '}') {
        CloseBlock();
        return std::nullopt;
    }
    if (statement[0] == '{') {
        OpenBlock();
        return std::nullopt;
    }
    if (const auto label = StatementPieces::StatementLabel(read)) {
        if (*label == "Var") engine_.Evaluator().Declare(statement);
        Next();
        return std::nullopt;
    }
    if (const auto variable = StatementPieces::AssignedVariable(statement, state_.variables)) {
        Assign(*variable, statement);
        return std::nullopt;
    }
    if (const auto name = StatementPieces::CommandNameOf(statement)) return Keyword(*name, statement);

    AskToGoOn(host::Pl("Błąd"), host::Pl("Błąd komendy: ") + MessageQuote::Of(statement) +
                                    host::Pl("!\n\nCzy kontynuować pracę?"));
    return std::nullopt;
}

std::optional<int> ControlFlow::Keyword(const std::string& name, const std::string& statement) {
    if (name == "GoTo") GoTo(statement);
    else if (name == "Call") CallLabel(statement, true);
    else if (name == "Run") CallLabel(statement, false);
    else if (name == "Return") Return();
    else if (name == "Exit") EndAtNextTick();
    else if (name == "while") While(statement);
    else if (name == "if") If(statement);
    else if (name == "Wait") return Wait(statement);
    else if (name == "Remove") Remove(statement);
    else DeviceCommand(statement);
    return std::nullopt;
}

void ControlFlow::EndAtNextTick() {
    context_.reader.JumpToEnd();
    state_.readLimit = -1;
    state_.stepMode = false;
}

bool ControlFlow::AskToGoOn(const std::string& caption, const std::string& text) {
    if (context_.prompts.AskYesNo(caption, text)) {
        Next();
        return true;
    }
    EndAtNextTick();
    return false;
}

void ControlFlow::ReportLostBlock() {
    if (AskToGoOn(host::Pl("BŁĄD"), host::Pl("Błąd timera!!!\n\nCzy kontynuować pracę?"))) {
        state_.readLimit = -1;
    }
}

void ControlFlow::ReportMissingLabel(const std::string& statement) {
    AskToGoOn(host::Pl("Brak etykiety"), host::Pl("Niezdefiniowana etykieta: ") +
                                             MessageQuote::Of(statement) +
                                             host::Pl("!\n\nCzy kontynuować pracę?"));
}

void ControlFlow::Next() { context_.reader.Next(); }

// The user answered No in a box of a command inside the statement: the rest of it is dropped.
bool ControlFlow::Stopped() {
    if (!context_.stopped) return false;
    EndAtNextTick();
    return true;
}

// --- blocks --------------------------------------------------------------------------------------

// A subroutine closes only blocks it opened itself: the frames below belong to its caller.
void ControlFlow::CloseBlock() {
    if (state_.blocks.Size() <= state_.calls.BaseBlockDepth()) {
        AskToGoOn(host::Pl("BŁĄD"), host::Pl("Znak '}' bez znaku '{'!!!\n\nCzy kontynuować pracę?"));
        return;
    }
    const auto frame = state_.blocks.Pop();
    context_.reader.JumpTo(frame->span.end);
    state_.readLimit = frame->readLimit;
}

void ControlFlow::OpenBlock() {
    auto& reader = context_.reader;
    state_.blocks.Push({reader.Span(), state_.readLimit});
    reader.JumpTo(reader.Start() + 1);  // just inside the "{"
    state_.readLimit = reader.End();
}

// --- statements ----------------------------------------------------------------------------------

void ControlFlow::Assign(const std::string& name, const std::string& statement) {
    const std::string_view expression = std::string_view(statement).substr(statement.find('=') + 1);
    const double value = engine_.Evaluator().EvaluateExpression(expression);
    if (Stopped()) return;
    if (auto* entry = state_.variables.Find(name)) entry->value = value;
    Next();
}

// A jump keeps the blocks and loops that hold its label and leaves the others, and enters those
// it lands in as though the run had come in through their start, so each still ends where it
// ends. Only the blocks of the current subroutine are touched: the loop that called it must
// still find its frame after Return.
void ControlFlow::GoTo(const std::string& statement) {
    const auto* label = FindLabel(statement);
    if (label == nullptr) {
        ReportMissingLabel(statement);
        return;
    }
    LeaveBlocksAround(label->position);
    if (state_.nestedLabels.count(label->position)) EnterBlocksTo(label->position);
    context_.reader.JumpTo(label->position);
}

bool ControlFlow::InOwnBlock() const { return state_.blocks.Size() > state_.calls.BaseBlockDepth(); }

void ControlFlow::LeaveBlocksAround(std::int32_t target) {
    while (InOwnBlock()) {
        const BlockFrame& top = state_.blocks.Top();
        if (top.span.start < target && target < state_.readLimit) return;
        state_.readLimit = top.readLimit;
        state_.blocks.Pop();
    }
}

// Walks from the start of the innermost block kept (or of the text) to the label, entering each
// block, loop body and else branch on the way.
void ControlFlow::EnterBlocksTo(std::int32_t target) {
    auto& reader = context_.reader;
    reader.StartAt(InOwnBlock() ? *StatementWalk::Inside(reader, ReadAt(state_.blocks.Top().span)) : 0);
    while (reader.Start() < target) {
        const Statement read = reader.ReadStatement(state_.readLimit);
        if (read.text.empty() && !read.isElse) return;
        if (reader.End() <= target) {
            reader.Next();
            continue;
        }
        const auto inside = StatementWalk::Inside(reader, read);
        if (!inside) return;
        if (read.StartsWith("{")) {
            OpenBlock();
        } else if (!read.isElse) {
            state_.blocks.Push({reader.Span(), state_.readLimit, true});
            FrameLoopBody(reader.Span());
        } else {
            reader.JumpTo(*inside);
        }
    }
}

// The statement at `span`, read again so that the reader stands on it.
Statement ControlFlow::ReadAt(StatementSpan span) {
    context_.reader.StartAt(span.start);
    return context_.reader.ReadStatement(-1);
}

const LabelTable::Entry* ControlFlow::FindLabel(const std::string& statement) const {
    const auto name = StatementPieces::ArgumentText(statement, 1);
    return name ? state_.labels.Find(*name) : nullptr;
}

void ControlFlow::CallLabel(const std::string& statement, bool copyVariables) {
    const auto* label = FindLabel(statement);
    if (label == nullptr) {
        ReportMissingLabel(statement);
        return;
    }
    const std::size_t saved = copyVariables ? state_.variables.Size() : 0;
    if (!state_.calls.CanPush(saved)) {
        AskToGoOn(host::Pl("BŁĄD"), host::Pl("Zbyt głębokie zagnieżdżenie wywołań: ") +
                                        MessageQuote::Of(statement) +
                                        host::Pl("!\n\nCzy kontynuować pracę?"));
        return;
    }
    auto& reader = context_.reader;
    CallFrame frame{reader.Span(), state_.readLimit, state_.blocks.Size(), std::nullopt};
    // Call: the caller's table waits in the frame, the subroutine works on a copy of it.
    if (copyVariables) frame.savedVariables = state_.variables;
    state_.calls.Push(std::move(frame));
    reader.JumpTo(label->position);
    state_.readLimit = -1;
}

void ControlFlow::Return() {
    auto frame = state_.calls.Pop();
    if (!frame) {
        EndAtNextTick();
        return;
    }
    if (frame->savedVariables) state_.variables = std::move(*frame->savedVariables);
    state_.readLimit = frame->readLimit;
    state_.blocks.TruncateTo(frame->blockDepth);
    context_.reader.StartAt(frame->span.end);
}

void ControlFlow::While(const std::string& statement) {
    auto& reader = context_.reader;
    // A command in the condition that failed and was passed over moves the reader on; the
    // loop itself still starts here.
    const std::int32_t whileStart = reader.Start();
    const std::int32_t whileEnd = reader.End();
    const bool holds = engine_.Evaluator().EvaluateCondition(statement);
    if (Stopped()) return;
    if (!holds) {  // on after the whole body
        reader.JumpTo(reader.PastClosingParen(whileStart, whileEnd));
        StatementWalk::SkipWhole(reader, state_.readLimit);
        return;
    }
    state_.blocks.Push({{whileStart, whileEnd}, state_.readLimit, true});
    FrameLoopBody({whileStart, whileEnd});
}

// The body is the one whole statement after the condition's ")", an if with its else or a
// braceless loop included; its last character becomes the read limit (so a loop that closes at
// the very end of the text keeps a limit inside it), and the reader stands at its start.
void ControlFlow::FrameLoopBody(StatementSpan loop) {
    auto& reader = context_.reader;
    const std::int32_t body = reader.PastClosingParen(loop.start, loop.end);
    reader.JumpTo(body);
    StatementWalk::SkipWhole(reader, state_.readLimit);
    state_.readLimit = reader.Start() - 1;
    reader.StartAt(body);
}

void ControlFlow::If(const std::string& statement) {
    const bool holds = engine_.Evaluator().EvaluateCondition(statement);
    if (Stopped()) return;
    auto& reader = context_.reader;
    reader.Next();
    if (holds) {
        // A braced branch is entered here; a single statement simply runs at the next tick.
        if (reader.ReadStatement(state_.readLimit).StartsWith("{")) OpenBlock();
        return;
    }
    StatementWalk::SkipWhole(reader, state_.readLimit);
    const Statement next = reader.ReadStatement(state_.readLimit);
    if (next.isElse) reader.JumpTo(next.elseBranch);  // its branch runs next
}

std::optional<int> ControlFlow::Wait(const std::string& statement) {
    Next();
    const std::int32_t ms = engine_.Executor().ArgumentValue(statement, 1);
    if (Stopped() || state_.stepMode) return std::nullopt;
    // No period is shorter than the tick: Wait(0) or a negative value waits one tick.
    return std::max<std::int32_t>(ms, 1);
}

void ControlFlow::Remove(const std::string& statement) {
    const auto name = StatementPieces::ArgumentText(statement, 1);
    if (name) state_.variables.Remove(*name);
    else state_.variables.Clear();
    Next();
}

void ControlFlow::DeviceCommand(const std::string& statement) {
    auto& executor = engine_.Executor();
    const std::int32_t resultSize = executor.ExecuteCommand(statement);
    if (resultSize < 0 || Stopped()) {
        EndAtNextTick();
        return;
    }
    // The controller sends the result even when nobody uses it; left unread, its bytes would
    // be taken for the echo of the next command.
    if (resultSize > 0) executor.ReadCommandResult(statement, resultSize);
    Next();
}

}  // namespace orvane::script
