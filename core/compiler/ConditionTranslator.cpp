// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/ConditionTranslator.h"

#include <algorithm>
#include <array>

#include "core/host/AsciiText.h"
#include "core/script/ClosingParen.h"

namespace orvane::compiler {

namespace {

constexpr std::string_view kLeftMinusRight = "cp tmp3,tmp1\ncpc tmp4,tmp2\n";
constexpr std::string_view kRightMinusLeft = "cp tmp1,tmp3\ncpc tmp2,tmp4\n";

using host::IsDigit;

}  // namespace

ConditionTranslator::ConditionTranslator(TranslationContext& context,
                                         ExpressionTranslator& expressions)
    : ctx_(context), expressions_(expressions) {}

// The first operator of this list found anywhere in the condition splits it, so a condition
// holding both "<=" and "==" splits at the "<=". The left operand ends up in tmp3:tmp4.
const ConditionTranslator::Comparison* ConditionTranslator::FindOperator(
    std::string_view condition, std::size_t& at) {
    static constexpr std::array<Comparison, 6> kComparisons{{
        {"<=", kRightMinusLeft, "brsh"},
        {"<", kLeftMinusRight, "brlo"},
        {"==", kLeftMinusRight, "breq"},
        {"!=", kLeftMinusRight, "brne"},
        {">=", kLeftMinusRight, "brsh"},
        {">", kRightMinusLeft, "brlo"},
    }};
    for (const Comparison& c : kComparisons) {
        at = condition.find(c.op);
        if (at != std::string_view::npos) return &c;
    }
    return nullptr;
}

std::string ConditionTranslator::ConditionOf(std::string_view statement) {
    const std::size_t open = statement.find('(');
    if (open == std::string_view::npos) return {};
    const std::size_t close = script::ClosingParen(statement, open);
    return std::string(statement.substr(open + 1, close == std::string_view::npos
                                                      ? std::string_view::npos
                                                      : close - open - 1));
}

void ConditionTranslator::Translate(std::string_view statement, int n, Form form) {
    const std::string number = std::to_string(n);
    const bool loop = form == Form::While;
    const std::string trueLabel = (loop ? "ORVwhileLoop" : "ORVif") + number + (loop ? "OK" : "Tak");
    const std::string falseLabel =
        (loop ? "ORVwhileLoop" : "ORVif") + number + (loop ? "Koniec" : "Nie");

    const std::string condition = ConditionOf(statement);
    std::size_t at = 0;
    const Comparison* comparison = FindOperator(condition, at);
    if (comparison == nullptr) {
        WithoutOperator(condition, trueLabel, falseLabel);
        return;
    }
    std::vector<std::string> read;
    expressions_.NoteVariables(&read);
    const auto left = expressions_.TranslateExpression(std::string_view(condition).substr(0, at));
    ctx_.Write("push tmp1\npush tmp2\n");
    const auto right = expressions_.TranslateExpression(std::string_view(condition).substr(at + comparison->op.size()));
    expressions_.NoteVariables(nullptr);
    ctx_.Write("pop tmp4\npop tmp3\n");
    WarnNegative(left, right, read);
    ctx_.Write(comparison->compare);
    ctx_.Write(std::string(comparison->branch) + " " + trueLabel + "\n");
    ctx_.Write("rjmp " + falseLabel + "\n" + trueLabel + ":\n");
}

// The run compares signed numbers, the program unsigned words: a negative operand is compared
// as a large number. A variable counts when the script assigns it a negative constant anywhere.
void ConditionTranslator::WarnNegative(const std::optional<Constant>& left, const std::optional<Constant>& right,
                                       const std::vector<std::string>& read) {
    for (const auto& side : {left, right}) {
        if (!side || side->pc >= 0.0) continue;
        ctx_.Warn(WarningKind::NegativeComparison, side->BothWays());
        return;
    }
    ctx_.Compared(read);
}

// A constant is decided here, as the same number held in a variable would decide it: by its
// 16-bit word, so while(1) costs nothing and if(65536) is as false as 0. Anything else is true
// when its value is not 0, as when the script runs on the PC, so while(0) and if(x) do what
// they say.
void ConditionTranslator::WithoutOperator(std::string_view condition,
                                          const std::string& trueLabel,
                                          const std::string& falseLabel) {
    if (std::all_of(condition.begin(), condition.end(), IsDigit)) {
        expressions_.CheckLiteral(condition);
        unsigned word = 0;
        for (const char c : condition) word = (word * 10 + static_cast<unsigned>(c - '0')) % 65536;
        if (word == 0) ctx_.Write("rjmp " + falseLabel + "\n" + trueLabel + ":\n");
        return;
    }
    expressions_.TranslateExpression(condition);
    ctx_.Write("cp tmp1,zero\ncpc tmp2,zero\nbrne " + trueLabel + "\n");
    ctx_.Write("rjmp " + falseLabel + "\n" + trueLabel + ":\n");
}

}  // namespace orvane::compiler
