// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/ExpressionEvaluator.h"

#include <array>

#include "core/host/AsciiText.h"
#include "core/host/Cp1250.h"
#include "core/script/ClosingParen.h"
#include "core/script/DecimalText.h"
#include "core/script/MessageQuote.h"

namespace orvane::script {

namespace {

constexpr double kDivisionByZero = 9.99e+99;

using host::IsDigit;
bool IsOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/'; }

// Folds `operand` into the running sum and term: "*" and "/" work on the term, "+" and "-"
// close it and start the next one.
void Combine(double& sum, char& sign, double& term, char op, double operand) {
    switch (op) {
        case '*':
            term *= operand;
            break;
        case '/':
            if (operand == 0.0) term = term >= 0.0 ? kDivisionByZero : -kDivisionByZero;
            else term /= operand;
            break;
        default:  // '+' or '-'
            sum = sign == '+' ? sum + term : sum - term;
            term = operand;
            sign = op;
            break;
    }
}

bool Compare(std::string_view op, double left, double right) {
    if (op == "<=") return left <= right;
    if (op == "<") return left < right;
    if (op == "==") return left == right;
    if (op == ">=") return left >= right;
    if (op == ">") return left > right;
    return left != right;
}

}  // namespace

double ExpressionEvaluator::EvaluateExpression(std::string_view text) {
    ScriptContext::Scope scope(context_);
    if (context_.nesting > kMaxNesting) {
        ReportUnknownValue(text, TooDeep());
        return -1.0;
    }
    const Work work = Prepare(text);
    return EvaluateRange(work, 0, work.text.size(), text);
}

bool ExpressionEvaluator::EvaluateCondition(std::string_view statement) {
    ScriptContext::Scope scope(context_);
    const auto open = statement.find('(');
    if (open == std::string_view::npos) return false;
    const auto close = ClosingParen(statement, open);
    if (close == std::string_view::npos) {
        // Nothing closes the condition: a guess at its end could run the wrong branch.
        ReportUnknownValue(statement.substr(open + 1));
        return false;
    }
    const auto condition = statement.substr(open + 1, close - open - 1);

    // The order matters: "<=" before "<", and a condition holding two operators splits at the
    // first of this list that it holds.
    static constexpr std::array<std::string_view, 6> kOperators{"<=", "<", "==", ">=", ">", "!="};
    for (const auto op : kOperators) {
        const auto at = condition.find(op);
        if (at == std::string_view::npos) continue;
        const double left = EvaluateExpression(condition.substr(0, at));
        if (context_.stopped) return false;
        const double right = EvaluateExpression(condition.substr(at + op.size()));
        return Compare(op, left, right);
    }
    return EvaluateExpression(condition) != 0.0;
}

ExpressionEvaluator::Work ExpressionEvaluator::Prepare(std::string_view text) {
    Work work;
    work.text.reserve(text.size());
    for (const char c : text) {
        if (c == ';') continue;
        work.text.push_back(c == ',' ? '.' : c);
    }
    work.closer.assign(work.text.size(), std::string_view::npos);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < work.text.size(); ++i) {
        if (work.text[i] == '(') {
            open.push_back(i);
        } else if (work.text[i] == ')' && !open.empty()) {
            work.closer[open.back()] = i;
            open.pop_back();
        }
    }
    return work;
}

double ExpressionEvaluator::EvaluateRange(const Work& work, std::size_t begin, std::size_t end,
                                          std::string_view shown) {
    const std::string_view text = work.text;
    double sum = 0.0;
    double term = 0.0;
    char sign = '+';
    char op = '+';
    std::size_t pos = begin;
    while (pos < end) {
        if (IsOperator(text[pos])) op = text[pos++];

        double operand;
        const auto rest = text.substr(pos, end - pos);
        if (!rest.empty() && rest[0] == '(') {
            operand = Group(work, pos, end, shown);
        } else if (!rest.empty() && IsDigit(rest[0])) {
            const auto length = DecimalText::NumberLength(rest);
            operand = DecimalText::Parse(rest.substr(0, length));
            pos += length;
        } else if (const auto* variable = context_.variables.AtStartOf(rest)) {
            operand = variable->value;
            pos += variable->name.size();
        } else {
            operand = CommandCall(work, pos, end, shown);
        }

        Combine(sum, sign, term, op, operand);
        op = '*';  // two operands side by side multiply: 2(3), 2x
        if (context_.stopped) break;
    }
    return sign == '+' ? sum + term : sum - term;
}

double ExpressionEvaluator::Group(const Work& work, std::size_t& pos, std::size_t end,
                                  std::string_view shown) {
    const std::size_t close = work.closer[pos];
    if (close == std::string_view::npos || close >= end) {
        // A "(" that nothing closes has no value to give.
        ReportUnknownValue(shown);
        pos = end;
        return -1.0;
    }
    const std::size_t inside = pos + 1;
    pos = close + 1;
    const auto inner = std::string_view(work.text).substr(inside, close - inside);
    ScriptContext::Scope scope(context_);
    if (context_.nesting > kMaxNesting) {
        ReportUnknownValue(inner, TooDeep());
        return -1.0;
    }
    return EvaluateRange(work, inside, close, inner);
}

double ExpressionEvaluator::CommandCall(const Work& work, std::size_t& pos, std::size_t end,
                                        std::string_view shown) {
    const auto rest = std::string_view(work.text).substr(pos, end - pos);
    const auto close = rest.find(')');
    if (close == std::string_view::npos || close == 0) {
        // A ")" where an operand should begin closes nothing: it is no command named "".
        ReportUnknownValue(
            shown, close == 0 ? host::Pl("Nawias ')' bez pasującego nawiasu '('.") : std::string());
        pos = end;
        return -1.0;
    }
    std::string call(rest.substr(0, close + 1));
    call.push_back(';');
    const auto value = caller_.CallInExpression(call);
    if (!value) {
        context_.stopped = true;
        if (!context_.stopReported) {
            context_.stopReported = true;
            ReportFailedValue(shown);
        }
        pos = end;
        return -1.0;
    }
    pos += close + 1;
    return *value;
}

std::string ExpressionEvaluator::TooDeep() {
    return host::Pl("Zbyt głębokie zagnieżdżenie nawiasów i wywołań komend (najwyżej ") +
           std::to_string(kMaxNesting) + host::Pl(" poziomów).");
}

void ExpressionEvaluator::ReportUnknownValue(std::string_view shown, const std::string& reason) {
    context_.prompts.Tell(host::Pl("BŁĄD (O1)"),
                          host::Pl("Błąd określenia wartości: ") + MessageQuote::Of(shown) +
                              (reason.empty() ? "" : "\n\n" + reason),
                          host::Icon::Error);
}

void ExpressionEvaluator::ReportFailedValue(std::string_view shown) {
    context_.prompts.Tell(host::Pl("BŁĄD (O2)"),
                          host::Pl("Błąd obliczenia wartości: ") + MessageQuote::Of(shown),
                          host::Icon::Error);
}

}  // namespace orvane::script
