// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/difftest/ScriptTree.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace orvane::test {

namespace {

constexpr int kMaxWalks = 100;

// The interval a value of the interpreter can take. The interpreter computes in 64-bit floats,
// the compiled program in 16-bit words that wrap. They agree where:
//   - every value is a whole number and stays within 2^48 in magnitude: floats are exact there,
//     so "+", "-" and "*" give the compiled word reduced modulo 65536;
//   - a value that is compared, tested as a condition or divided lies in 0..65535 (`Word`): the
//     interpreter compares signed reals, the compiled program unsigned words, and a wrapped
//     dividend would be divided as a different number;
//   - a division is exact with a divisor of 1 or more: the interpreter keeps the fraction, the
//     compiled program drops it, and it divides by 0 to 9.99e+99 where the program gives 65535.
// Outside these ranges the two number models differ by design; the generator stays inside.
struct ValueRange {
    double lo = 0.0;
    double hi = 0.0;

    static ValueRange Of(double v) { return {v, v}; }
    bool Word() const { return lo >= 0.0 && hi <= 65535.0; }
    bool Exact() const { return lo >= -281474976710656.0 && hi <= 281474976710656.0; }
    ValueRange Join(const ValueRange& o) const { return {std::min(lo, o.lo), std::max(hi, o.hi)}; }
    ValueRange operator+(const ValueRange& o) const { return {lo + o.lo, hi + o.hi}; }
    ValueRange operator-(const ValueRange& o) const { return {lo - o.hi, hi - o.lo}; }
    ValueRange operator*(const ValueRange& o) const {
        const double a = lo * o.lo, b = lo * o.hi, c = hi * o.lo, d = hi * o.hi;
        return {std::min({a, b, c, d}), std::max({a, b, c, d})};
    }
    // An exact division of a word by a word of at least 1.
    ValueRange operator/(const ValueRange& o) const { return {std::floor(lo / o.hi), std::ceil(hi / o.lo)}; }
};

// A product: its range and its last factor, so that a division by that factor (or by a divisor
// of a literal one) can be shown to be exact.
struct Product {
    ValueRange value;
    const Operand* factor = nullptr;  // null after a division

    // Divides by `o` when the quotient is a whole number in both engines.
    bool DividedBy(const Operand& o, const ValueRange& r) {
        if (!value.Word() || !r.Word() || r.lo < 1 || factor == nullptr) return false;
        const bool exact = o.kind == Operand::Kind::Number
                               ? factor->kind == Operand::Kind::Number && factor->number % o.number == 0
                               : o.kind == Operand::Kind::Variable && factor->kind == o.kind && factor->variable == o.variable;
        value = value / r;
        factor = nullptr;
        return exact;
    }
};

class Walk {
public:
    explicit Walk(Script& script) : script_(script) {}

    // True when nothing had to be rewritten.
    bool Run() {
        State state(script_.variables.size(), ValueRange::Of(0));
        List(script_.main, state);
        if (script_.mainEnd == 2 && !script_.subroutines.empty()) Subroutine(0, state);
        return rewrites_ == 0;
    }

private:
    using State = std::vector<ValueRange>;

    void List(StmtList& list, State& state) {
        for (auto& s : list) Statement(*s, state);
    }

    void Statement(Stmt& s, State& state) {
        const auto counter = static_cast<std::size_t>(s.variable);
        switch (s.kind) {
            case Stmt::Kind::Assign: state[counter] = Value(s.value, state); break;
            case Stmt::Kind::Block: List(s.body, state); break;
            case Stmt::Kind::If: If(s, state); break;
            case Stmt::Kind::While:
                if (s.variable < 0) break;  // only ever dead code
                state[counter] = ValueRange::Of(0);
                Rounds(s.iterations, state, [&](State& round) { Statement(*s.then, round); });
                break;
            case Stmt::Kind::LabelLoop:
            case Stmt::Kind::EndlessLoop:
                state[counter] = ValueRange::Of(0);
                Rounds(s.iterations, state, [&](State& round) {
                    List(s.body, round);
                    round[counter] = round[counter] + ValueRange::Of(1);
                });
                if (jumps_.count(s.target)) Join(state, jumps_[s.target]);
                break;
            case Stmt::Kind::Call: {
                State copy = state;  // the caller's values come back after it
                Subroutine(s.target, copy);
                break;
            }
            case Stmt::Kind::Run: Subroutine(s.target, state); break;
            case Stmt::Kind::GoTo:
                if (const auto [at, added] = jumps_.try_emplace(s.target, state); !added) Join(at->second, state);
                break;
            case Stmt::Kind::Label:
                if (jumps_.count(s.target)) Join(state, jumps_[s.target]);
                break;
            case Stmt::Kind::Return:
                if (!returns_.empty()) {
                    if (returns_.back()) Join(*returns_.back(), state);
                    else returns_.back() = state;
                }
                break;
            case Stmt::Kind::Exit: break;
        }
    }

    void If(Stmt& s, State& state) {
        if (s.condition.IsConstant()) {
            // The other branch never runs: it is not followed, and need not be in range.
            if (s.condition.left.first.number != 0) Statement(*s.then, state);
            else if (s.otherwise) Statement(*s.otherwise, state);
            return;
        }
        Word(s.condition.left, state);
        if (!s.condition.op.empty()) Word(s.condition.right, state);
        State otherwise = state;
        Statement(*s.then, state);
        if (s.otherwise) Statement(*s.otherwise, otherwise);
        Join(state, otherwise);
    }

    // A body run at most `count` times: each round starts from every state an earlier one could
    // leave, so the result holds whatever the number of rounds.
    template <typename Body>
    void Rounds(int count, State& state, Body body) {
        State entry = state;
        for (int i = 0; i < count; ++i) {
            State round = entry;
            body(round);
            Join(entry, round);
        }
        state = entry;
    }

    void Subroutine(int k, State& state) {
        returns_.emplace_back();
        List(script_.subroutines[static_cast<std::size_t>(k)], state);
        if (returns_.back()) Join(state, *returns_.back());
        returns_.pop_back();
    }

    static void Join(State& into, const State& from) {
        for (std::size_t i = 0; i < into.size(); ++i) into[i] = into[i].Join(from[i]);
    }

    ValueRange Value(Expr& e, const State& state) {
        for (;;) {
            std::size_t fault = 0;
            if (const auto range = Evaluate(e, state, fault)) return *range;
            if (fault == 0 || e.rest[fault - 1].first != '/') {
                Rewrite(e);
                continue;
            }
            e.rest[fault - 1] = {'*', Operand::Num(1)};
            ++rewrites_;
        }
    }

    ValueRange Word(Expr& e, const State& state) {
        const ValueRange range = Value(e, state);
        if (range.Word()) return range;
        Rewrite(e);
        return Value(e, state);
    }

    void Rewrite(Expr& e) {
        e = Expr::Of(Operand::Num(rewrites_ % 10));
        ++rewrites_;
    }

    // The range of `e`, or nothing with the index of the operand at fault (0 is the first). It
    // follows the evaluation order of both engines: a product is built left to right and added
    // to the sum when the next "+" or "-" comes.
    std::optional<ValueRange> Evaluate(const Expr& e, const State& state, std::size_t& fault) const {
        fault = 0;
        auto start = [&](const Operand& o, Product& p) {
            const auto r = OperandRange(o, state);
            if (r) p = {*r, &o};
            return r.has_value();
        };
        ValueRange sum = ValueRange::Of(0);
        char sign = e.negated ? '-' : '+';
        Product term;
        if (!start(e.first, term)) return std::nullopt;
        for (std::size_t i = 0; i < e.rest.size(); ++i) {
            fault = i + 1;
            const auto& [op, o] = e.rest[i];
            if (op == '+' || op == '-') {
                sum = sign == '+' ? sum + term.value : sum - term.value;
                sign = op;
                if (!sum.Exact() || !start(o, term)) return std::nullopt;
                continue;
            }
            const auto r = OperandRange(o, state);
            if (!r) return std::nullopt;
            if (op == '*') term = {term.value * *r, &o};
            else if (!term.DividedBy(o, *r)) return std::nullopt;
            if (!term.value.Exact()) return std::nullopt;
        }
        const ValueRange result = sign == '+' ? sum + term.value : sum - term.value;
        if (!result.Exact()) return std::nullopt;
        return result;
    }

    std::optional<ValueRange> OperandRange(const Operand& o, const State& state) const {
        if (o.kind == Operand::Kind::Number) return ValueRange::Of(static_cast<double>(o.number));
        if (o.kind == Operand::Kind::Variable) return state[static_cast<std::size_t>(o.variable)];
        std::size_t inner = 0;
        return Evaluate(*o.group, state, inner);
    }

    Script& script_;
    std::map<int, State> jumps_;                 // per label: the states GoTo brought there
    std::vector<std::optional<State>> returns_;  // per subroutine being followed: states at Return
    int rewrites_ = 0;
};

}  // namespace

bool ConfineRanges(Script& script) {
    for (int walk = 0; walk < kMaxWalks; ++walk)
        if (Walk(script).Run()) return true;
    return false;
}

}  // namespace orvane::test
