// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::tools {

// The position dialog's "Oblicz" formula: statements "Sk=<terms>;" that tie servos together,
// e.g. "S1=S2+2;S3=1500;". A term is a servo "Sn" or a number, each added with the sign last
// written ("-" or "+"; "+" at the start). Blanks are ignored. A statement that cannot be read
// exactly (no "=", a left side other than S1..S16, a servo outside 1..16, another character,
// no ";" at its end) does nothing, and is named in Problems() so the dialog can say why.
class ServoFormula {
public:
    static constexpr int kServos = 16;

    struct Term {
        int sign = 1;
        int servo = 0;            // 1..16, or 0 for a number
        std::int64_t number = 0;  // the number's value (servo terms: unused)
    };
    struct Statement {
        int target = 0;  // 1..16
        std::vector<Term> terms;
    };

    static ServoFormula Parse(std::string_view text);

    const std::vector<Statement>& Statements() const { return statements_; }
    // One CP1250 line per statement left out, with the reason.
    const std::vector<std::string>& Problems() const { return problems_; }

    // The sum of a statement's terms over the positions of servos 1..16 (index 0 is servo 1).
    static std::int64_t Evaluate(const Statement& statement, const std::array<int, kServos>& positions);

private:
    // The statement's reading, or the reason it cannot be read (CP1250).
    static bool ParseStatement(std::string_view text, Statement& out, std::string& problem);
    static bool ParseTerms(std::string_view right, std::vector<Term>& terms, std::string& problem);

    std::vector<Statement> statements_;
    std::vector<std::string> problems_;
};

}  // namespace orvane::tools
