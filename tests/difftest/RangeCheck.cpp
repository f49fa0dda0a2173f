#include "tests/difftest/RangeCheck.h"

#include <algorithm>

namespace orvane::test {

namespace {

constexpr int kMaxWalks = 100;

// A product: its range, its known literal factor and its variable factors, so that a division
// can be shown to be exact.
struct Product {
    ValueRange value;
    std::int64_t literal = 1;
    std::vector<int> variables;

    void Times(const Operand& o, const ValueRange& r) {
        value = value * r;
        if (o.kind == Operand::Kind::Number) literal = TimesFactor(literal, o.number);
        if (o.kind == Operand::Kind::Variable) variables.push_back(o.variable);
    }
    // Divides by `o` when the quotient is a whole number in both engines.
    bool DividedBy(const Operand& o, const ValueRange& r) {
        if (!value.Word() || !r.Word() || r.lo < 1) return false;
        if (o.kind == Operand::Kind::Number) {
            if (literal % o.number != 0) return false;
            literal /= o.number;
        } else {
            const auto at = std::find(variables.begin(), variables.end(), o.variable);
            if (o.kind != Operand::Kind::Variable || at == variables.end()) return false;
            variables.erase(at);
        }
        value = value / r;
        return true;
    }
};

}  // namespace

bool RangeCheck::Confine(Script& script) {
    for (int walk = 0; walk < kMaxWalks; ++walk)
        if (RangeCheck(script).Walk()) return true;
    return false;
}

bool RangeCheck::Walk() {
    State state(script_.variables.size(), ValueRange::Of(0));
    List(script_.main, state);
    if (script_.mainEnd == 2 && !script_.subroutines.empty()) Subroutine(0, state);
    return rewrites_ == 0;
}

void RangeCheck::List(StmtList& list, State& state) {
    for (auto& s : list) Statement(*s, state);
}

void RangeCheck::Statement(Stmt& s, State& state) {
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
        case Stmt::Kind::GoTo: JoinJump(s.target, state); break;
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

void RangeCheck::If(Stmt& s, State& state) {
    if (s.condition.IsConstant()) {
        // The other branch never runs: it is not followed, and need not be in range.
        if (s.condition.left.first.number != 0) Statement(*s.then, state);
        else if (s.otherwise) Statement(*s.otherwise, state);
        return;
    }
    CheckCondition(s.condition, state);
    State otherwise = state;
    Statement(*s.then, state);
    if (s.otherwise) Statement(*s.otherwise, otherwise);
    Join(state, otherwise);
}

// A body run at most `count` times: each round starts from every state an earlier one could
// leave, so the result holds whatever the number of rounds.
template <typename Body>
void RangeCheck::Rounds(int count, State& state, Body body) {
    State entry = state;
    for (int i = 0; i < count; ++i) {
        State round = entry;
        body(round);
        Join(entry, round);
    }
    state = entry;
}

void RangeCheck::Subroutine(int k, State& state) {
    returns_.emplace_back();
    List(script_.subroutines[static_cast<std::size_t>(k)], state);
    if (returns_.back()) Join(state, *returns_.back());
    returns_.pop_back();
}

void RangeCheck::Join(State& into, const State& from) const {
    for (std::size_t i = 0; i < into.size(); ++i) into[i] = into[i].Join(from[i]);
}

void RangeCheck::JoinJump(int label, const State& state) {
    const auto [at, added] = jumps_.try_emplace(label, state);
    if (!added) Join(at->second, state);
}

ValueRange RangeCheck::Value(Expr& e, const State& state) {
    for (;;) {
        std::size_t fault = 0;
        if (const auto range = Evaluate(e, state, fault)) return *range;
        auto& step = e.rest;
        if (fault > 0 && step[fault - 1].first == '/') step[fault - 1] = {'*', Operand::Num(1)};
        else Rewrite(e);
        ++rewrites_;
    }
}

ValueRange RangeCheck::Word(Expr& e, const State& state) {
    const ValueRange range = Value(e, state);
    if (range.Word()) return range;
    Rewrite(e);
    ++rewrites_;
    return Value(e, state);
}

void RangeCheck::Rewrite(Expr& e) { e = Expr::Of(Operand::Num(rewrites_ % 10)); }

void RangeCheck::CheckCondition(Condition& c, const State& state) {
    Word(c.left, state);
    if (!c.op.empty()) Word(c.right, state);
}

// Follows the evaluation order of both engines: a product is built left to right and added to
// the sum when the next "+" or "-" comes.
std::optional<ValueRange> RangeCheck::Evaluate(const Expr& e, const State& state, std::size_t& fault) const {
    fault = 0;
    auto start = [&](const Operand& o, Product& p) {
        const auto r = OperandRange(o, state);
        if (!r) return false;
        p = {*r, o.kind == Operand::Kind::Number ? o.number : 1, {}};
        if (o.kind == Operand::Kind::Variable) p.variables.push_back(o.variable);
        return true;
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
        if (op == '*') term.Times(o, *r);
        else if (!term.DividedBy(o, *r)) return std::nullopt;
        if (!term.value.Exact()) return std::nullopt;
    }
    const ValueRange result = sign == '+' ? sum + term.value : sum - term.value;
    if (!result.Exact()) return std::nullopt;
    return result;
}

std::optional<ValueRange> RangeCheck::OperandRange(const Operand& o, const State& state) const {
    switch (o.kind) {
        case Operand::Kind::Number: return ValueRange::Of(static_cast<double>(o.number));
        case Operand::Kind::Variable: return state[static_cast<std::size_t>(o.variable)];
        case Operand::Kind::Group: {
            std::size_t inner = 0;
            return Evaluate(*o.group, state, inner);
        }
    }
    return std::nullopt;
}

}  // namespace orvane::test
