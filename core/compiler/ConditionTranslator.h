// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/compiler/ExpressionTranslator.h"
#include "core/compiler/TranslationContext.h"

namespace orvane::compiler {

// The test of an "if" or "while" condition: both operands as expressions, an unsigned 16-bit
// comparison, and a short branch over the jump to the false label, so the distance to that
// label is not bounded by the branch's range.
class ConditionTranslator {
public:
    enum class Form { While, If };

    ConditionTranslator(TranslationContext& context, ExpressionTranslator& expressions);

    // The condition inside the statement's first parentheses, with the labels of number n.
    void Translate(std::string_view statement, int n, Form form);

    // The text between the first "(" and the ")" that balances it (the rest when none does).
    static std::string ConditionOf(std::string_view statement);

private:
    struct Comparison {
        std::string_view op;
        std::string_view compare;
        std::string_view branch;
    };
    static const Comparison* FindOperator(std::string_view condition, std::size_t& at);
    void WarnNegative(const std::optional<Constant>& left, const std::optional<Constant>& right,
                      const std::vector<std::string>& read);
    void WithoutOperator(std::string_view condition, const std::string& trueLabel,
                         const std::string& falseLabel);

    TranslationContext& ctx_;
    ExpressionTranslator& expressions_;
};

}  // namespace orvane::compiler
