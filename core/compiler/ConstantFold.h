// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace orvane::compiler {

// A value written with constants alone, as each engine computes it: the run on the PC in
// floating point, the compiled program in a 16-bit word that wraps.
struct Constant {
    double pc = 0.0;
    std::uint16_t word = 0;

    // A literal as the program loads it: its whole part, its low 16 bits.
    static Constant Literal(double value);
    // Whether the program's word holds the PC's value exactly.
    bool Fits() const;
    // Whether the engines hold different numbers: a fraction, more than 65535, or a word that
    // is not the PC's whole number wrapped (a negative one wraps alike until it is compared).
    bool Diverges() const;
    // "-1, w sterowniku 65535" (CP1250): the two values, the same in every locale.
    std::string BothWays() const;
};

// Folds the operands of one expression, in the order and with the precedence both engines use
// ("*" and "/" before "+" and "-", left to right), into the value each engine gets. One operand
// that is no constant (a variable, a command call) leaves the whole expression unknown.
class ConstantFold {
public:
    // `op` is the operator before the operand ('+' for the first one).
    void Add(char op, const std::optional<Constant>& operand);
    // Nothing when an operand was no constant.
    std::optional<Constant> Value() const;
    // More than one operand, or a sign before the first: the value was computed, not written.
    bool Computed() const { return operands_ > 1 || signed_; }

private:
    struct Sum {
        Constant sum;
        Constant term;
        char sign = '+';
    };
    static void Combine(Sum& s, char op, const Constant& operand);

    Sum value_;
    int operands_ = 0;
    bool signed_ = false;
    bool known_ = true;
};

}  // namespace orvane::compiler
