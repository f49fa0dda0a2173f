// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/ServoFormula.h"

#include <algorithm>

#include "core/host/AsciiText.h"
#include "core/host/Cp1250.h"

namespace orvane::tools {

namespace {

// Far beyond any position, small enough that sixteen of them cannot overflow.
constexpr std::int64_t kNumberLimit = 1'000'000'000;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
using host::IsDigit;

std::string WithoutBlanks(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (!IsBlank(c)) out += c;
    }
    return out;
}

// The digits at `i` as a number (capped), moving `i` past them; -1 when there are none.
std::int64_t ReadNumber(std::string_view text, std::size_t& i) {
    if (i >= text.size() || !IsDigit(text[i])) return -1;
    std::int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) value = std::min(value * 10 + (text[i] - '0'), kNumberLimit);
    return value;
}

bool IsServo(std::int64_t n) { return n >= 1 && n <= ServoFormula::kServos; }

}  // namespace

ServoFormula ServoFormula::Parse(std::string_view text) {
    ServoFormula formula;
    std::size_t start = 0;
    for (std::size_t end = text.find(';'); end != std::string_view::npos; end = text.find(';', start)) {
        const std::string statementText = WithoutBlanks(text.substr(start, end - start));
        start = end + 1;
        if (statementText.empty()) continue;
        Statement statement;
        std::string problem;
        if (ParseStatement(statementText, statement, problem)) {
            formula.statements_.push_back(std::move(statement));
        } else {
            formula.problems_.push_back(host::Pl("„") + statementText + host::Pl("”: ") + problem);
        }
    }
    const std::string rest = WithoutBlanks(text.substr(std::min(start, text.size())));
    if (!rest.empty()) {
        formula.problems_.push_back(host::Pl("„") + rest + host::Pl("”: brak „;” na końcu."));
    }
    return formula;
}

bool ServoFormula::ParseStatement(std::string_view text, Statement& out, std::string& problem) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        problem = host::Pl("brak „=”.");
        return false;
    }
    const std::string_view left = text.substr(0, equals);
    std::size_t i = 1;
    const std::int64_t target = left.empty() || left[0] != 'S' ? -1 : ReadNumber(left, i);
    if (!IsServo(target) || i != left.size()) {
        problem = host::Pl("po lewej stronie „=” musi stać serwo od S1 do S16.");
        return false;
    }
    out.target = static_cast<int>(target);
    return ParseTerms(text.substr(equals + 1), out.terms, problem);
}

bool ServoFormula::ParseTerms(std::string_view right, std::vector<Term>& terms, std::string& problem) {
    int sign = 1;
    for (std::size_t i = 0; i < right.size();) {
        const char c = right[i];
        if (c == '+' || c == '-') {
            sign = c == '-' ? -1 : 1;
            ++i;
        } else if (c == 'S') {
            ++i;
            const std::int64_t servo = ReadNumber(right, i);
            if (!IsServo(servo)) {
                problem = servo < 0 ? host::Pl("po „S” brak numeru serwa.")
                                    : host::Pl("nie ma serwa „S") + std::to_string(servo) +
                                          host::Pl("” (są S1 do S16).");
                return false;
            }
            terms.push_back({sign, static_cast<int>(servo), 0});
        } else if (IsDigit(c)) {
            terms.push_back({sign, 0, ReadNumber(right, i)});
        } else {
            problem = host::Pl("niedozwolony znak „") + std::string(1, c) + host::Pl("”.");
            return false;
        }
    }
    if (terms.empty()) {
        problem = host::Pl("brak wartości po „=”.");
        return false;
    }
    return true;
}

std::int64_t ServoFormula::Evaluate(const Statement& statement, const std::array<int, kServos>& positions) {
    std::int64_t sum = 0;
    for (const Term& term : statement.terms) {
        const std::int64_t value =
            term.servo == 0 ? term.number : positions[static_cast<std::size_t>(term.servo - 1)];
        sum += term.sign * value;
    }
    return sum;
}

}  // namespace orvane::tools
