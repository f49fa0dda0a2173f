// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/commands/CommandTable.h"
#include "core/compiler/EngineWarnings.h"
#include "core/host/EditorAccess.h"
#include "core/host/Prompts.h"
#include "core/script/LabelTable.h"
#include "core/script/StatementReader.h"
#include "core/script/VariableTable.h"

namespace orvane::compiler {

// Where and why the translation gave up before the end of the script.
struct TranslationStop {
    std::int32_t line = 0;  // from 1
    script::StatementSpan span;  // the statement being translated
    std::string statement;  // CP1250, a line's worth at most, as boxes quote it
    std::string reason;     // CP1250
};

// The state one compile shares between the statement, expression and command-call
// translators: the script position, the tables, the generated text and what went wrong.
// Generated text collects in memory; the driver writes the files whole at the end.
class TranslationContext {
public:
    TranslationContext(script::StatementReader& reader, host::EditorAccess& editor,
                       script::VariableTable& variables, const script::LabelTable& labels,
                       const commands::CommandTable& commands, host::Prompts& prompts);

    script::StatementReader& Reader() { return reader_; }
    host::EditorAccess& Editor() { return editor_; }
    script::VariableTable& Variables() { return variables_; }
    const script::LabelTable& Labels() const { return labels_; }
    const commands::CommandTable& Commands() const { return commands_; }
    host::Prompts& Prompts() { return prompts_; }

    // The translated program and the reservations that turn up while translating. Every line
    // of the program remembers the statement being translated when it was completed.
    void Write(std::string_view text);
    void WriteMemory(std::string_view text) { memory_.append(text); }
    const std::string& Assembler() const { return assembler_; }
    const std::string& Memory() const { return memory_; }
    const std::vector<std::optional<script::StatementSpan>>& LineStatements() const {
        return lineStatements_;
    }

    // The statement whose code is being written, for as long as the scope lives; the enclosing
    // statement's again afterwards (the end of a loop belongs to the loop, not to its body).
    class StatementScope {
    public:
        StatementScope(TranslationContext& context, script::StatementSpan span, std::string text = {})
            : context_(context), outer_(context.current_), outerText_(std::move(context.currentText_)) {
            context_.current_ = span;
            context_.currentText_ = std::move(text);
        }
        ~StatementScope() {
            context_.current_ = outer_;
            context_.currentText_ = std::move(outerText_);
        }
        StatementScope(const StatementScope&) = delete;
        StatementScope& operator=(const StatementScope&) = delete;

    private:
        TranslationContext& context_;
        std::optional<script::StatementSpan> outer_;
        std::string outerText_;
    };

    // Where the run on the PC and the compiled program part, at the statement being translated.
    void Warn(WarningKind kind, std::string detail) { warnings_.Note(kind, Here(), std::move(detail)); }
    void Compared(const std::vector<std::string>& variables) { warnings_.Compared(Here(), variables); }
    void AssignedNegative(const std::string& variable, const Constant& value) {
        warnings_.AssignedNegative(variable, value, Here().line);
    }
    std::vector<EngineWarning> Warnings() const { return warnings_.All(); }

    // Every if and while takes the next number for its labels.
    int TakeLabelNumber() { return labelNumber_++; }

    // Braced blocks being translated; a "}" outside all of them closes nothing.
    int BlockDepth() const { return blockDepth_; }
    void EnterBlock() { ++blockDepth_; }
    void LeaveBlock() { --blockDepth_; }

    // A box has already told the user about a fault in the code (OASM1, WPASM1): the program
    // may be assembled so the report can be read, but it must not reach the controller.
    void NoteFault() { faulty_ = true; }
    bool Faulty() const { return faulty_ || stop_.has_value(); }

    // An Exit was translated: the program keeps its stack pointer at its start, so that an Exit
    // inside a subroutine ends the program rather than returning to the caller.
    void NoteExit() { exits_ = true; }
    bool Exits() const { return exits_; }

    // Ends the whole translation at the current statement and tells the user where and why
    // (unless a box has just said it). Only the first stop counts; every level returns as soon
    // as one is recorded.
    void Stop(std::string_view statement, std::string_view reason, bool tell = true);
    bool Stopped() const { return stop_.has_value(); }
    const std::optional<TranslationStop>& StopInfo() const { return stop_; }

private:
    EngineWarnings::Place Here() const;

    script::StatementReader& reader_;
    host::EditorAccess& editor_;
    script::VariableTable& variables_;
    const script::LabelTable& labels_;
    const commands::CommandTable& commands_;
    host::Prompts& prompts_;

    std::string assembler_;
    std::string memory_;
    std::optional<script::StatementSpan> current_;
    std::string currentText_;  // CP1250, as a box quotes it
    std::vector<std::optional<script::StatementSpan>> lineStatements_;
    int labelNumber_ = 0;
    int blockDepth_ = 0;
    bool faulty_ = false;
    bool exits_ = false;
    std::optional<TranslationStop> stop_;
    EngineWarnings warnings_;
};

}  // namespace orvane::compiler
