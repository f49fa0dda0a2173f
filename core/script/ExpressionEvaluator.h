// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/script/CommandCaller.h"
#include "core/script/ScriptContext.h"
#include "core/script/VariableTable.h"

namespace orvane::script {

// Evaluates script expressions and conditions straight from their text, left to right, in
// 64-bit floating point; operands that are no number, group or variable are device commands
// called through the CommandCaller. Failures are boxes, never exceptions: the offending
// operand counts as -1.
class ExpressionEvaluator {
public:
    // Groups nested deeper than this (counting command calls in between) are reported instead
    // of evaluated, so that no text can exhaust the stack.
    static constexpr int kMaxNesting = 200;

    ExpressionEvaluator(ScriptContext& context, CommandCaller& caller)
        : context_(context), caller_(caller) {}

    double EvaluateExpression(std::string_view text);
    // The statement is an "if(" or "while(" statement; its condition stands in its first
    // parentheses. A condition without its ")" is reported and is false.
    bool EvaluateCondition(std::string_view statement);
    // Runs a "Var:" statement; the number of names added.
    int Declare(std::string_view statement) { return context_.variables.DeclareStatement(statement); }

private:
    // The expression with ";" removed and "," read as ".", and for each "(" the position of
    // the ")" that balances it (npos when none), found once so that groups cost linear time.
    struct Work {
        std::string text;
        std::vector<std::size_t> closer;
    };
    static Work Prepare(std::string_view text);

    double EvaluateRange(const Work& work, std::size_t begin, std::size_t end,
                         std::string_view shown);
    double Group(const Work& work, std::size_t& pos, std::size_t end, std::string_view shown);
    double CommandCall(const Work& work, std::size_t& pos, std::size_t end, std::string_view shown);

    // O1, with what went wrong when it is more than an operand that could not be made out.
    void ReportUnknownValue(std::string_view shown, const std::string& reason = {});
    static std::string TooDeep();
    void ReportFailedValue(std::string_view shown);    // O2

    ScriptContext& context_;
    CommandCaller& caller_;
};

}  // namespace orvane::script
