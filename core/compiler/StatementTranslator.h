// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/compiler/ConditionTranslator.h"
#include "core/compiler/ExpressionTranslator.h"
#include "core/compiler/InlineAssembler.h"
#include "core/compiler/TranslationContext.h"

namespace orvane::compiler {

// One statement of the script at a time into AVR assembler: labels, declarations, inline
// assembler, the control statements, blocks, assignments and command calls. Blocks and the
// bodies of while, if and else are translated by calling itself.
class StatementTranslator {
public:
    explicit StatementTranslator(TranslationContext& context);

    // Reads and translates the next statement, reading no further than `limit` (-1: no limit).
    // False at the end of the script or of the enclosing block, and once the translation has
    // stopped (the context says where and why).
    bool TranslateStatement(std::int32_t limit);

    ExpressionTranslator& Expressions() { return expressions_; }

private:
    static constexpr int kMaxNesting = 200;

    bool Dispatch(const script::Statement& read, std::int32_t limit);
    bool Block(std::int32_t limit);
    void LabelStatement(const std::string& statement, const std::string& label);
    void Declaration(const std::string& statement);
    bool ControlOrCommand(const std::string& statement, const std::string& name,
                          std::int32_t limit);
    bool Call(const std::string& statement, const std::string& label);
    bool Run(const std::string& statement, const std::string& label);
    void Wait(const std::string& statement);
    void Remove(const std::optional<std::string>& argument);
    void While(const std::string& statement, std::int32_t limit);
    void If(const std::string& statement, std::int32_t limit);
    void Assignment(const std::string& statement, const std::string& variable);
    bool Unknown(const script::Statement& read);
    bool Advance();

    TranslationContext& ctx_;
    ExpressionTranslator expressions_;
    ConditionTranslator conditions_;
    InlineAssembler inlineAssembler_;
    int nesting_ = 0;
};

}  // namespace orvane::compiler
