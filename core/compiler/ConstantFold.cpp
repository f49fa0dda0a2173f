// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/ConstantFold.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/host/Cp1250.h"

namespace orvane::compiler {

namespace {
// What the run makes of a division by 0, and what the program's division routine returns.
constexpr double kPcDivisionByZero = 9.99e+99;
constexpr std::uint16_t kWordDivisionByZero = 0xFFFF;

std::uint16_t Wrap(long long value) { return static_cast<std::uint16_t>(value & 0xFFFF); }
}  // namespace

Constant Constant::Literal(double value) {
    const double whole = std::floor(std::min(value, 1e15));
    return {value, Wrap(static_cast<long long>(std::fmod(whole, 65536.0)))};
}

bool Constant::Fits() const { return pc >= 0.0 && pc <= 65535.0 && pc == static_cast<double>(word); }

bool Constant::Diverges() const {
    if (pc != std::floor(pc) || pc > 65535.0) return true;
    return pc < -1e15 || Wrap(static_cast<long long>(pc)) != word;
}

std::string Constant::BothWays() const {
    char shown[32];
    const auto end = std::to_chars(shown, shown + sizeof shown, pc).ptr;
    return std::string(shown, end) + host::Pl(", w sterowniku ") + std::to_string(word);
}

void ConstantFold::Add(char op, const std::optional<Constant>& operand) {
    if (operands_ == 0 && op != '+') signed_ = true;
    ++operands_;
    if (!operand) known_ = false;
    if (known_) Combine(value_, op, *operand);
}

void ConstantFold::Combine(Sum& s, char op, const Constant& operand) {
    Constant& t = s.term;
    switch (op) {
        case '*':
            t.pc *= operand.pc;
            t.word = Wrap(static_cast<long long>(t.word) * operand.word);
            break;
        case '/':
            t.pc = operand.pc == 0.0 ? (t.pc >= 0.0 ? kPcDivisionByZero : -kPcDivisionByZero) : t.pc / operand.pc;
            t.word = operand.word == 0 ? kWordDivisionByZero : static_cast<std::uint16_t>(t.word / operand.word);
            break;
        default: {  // '+' or '-' closes the term and starts the next one
            const bool add = s.sign == '+';
            s.sum.pc = add ? s.sum.pc + t.pc : s.sum.pc - t.pc;
            s.sum.word = Wrap(add ? s.sum.word + t.word : s.sum.word - t.word);
            t = operand;
            s.sign = op;
            break;
        }
    }
}

std::optional<Constant> ConstantFold::Value() const {
    if (!known_ || operands_ == 0) return std::nullopt;
    Sum closed = value_;
    Combine(closed, '+', {});
    return closed.sum;
}

}  // namespace orvane::compiler
