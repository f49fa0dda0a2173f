#pragma once
#include <cstddef>
#include <map>
#include <optional>
#include <vector>

#include "tests/difftest/ScriptTree.h"
#include "tests/difftest/ValueRange.h"

namespace orvane::test {

// Keeps a generated script where the two number models agree (see ValueRange): it follows every
// path the script can take with the interval each variable may hold, and rewrites an operand
// that could leave those ranges (a division that might not be exact becomes "* 1", any other
// fault replaces the expression or comparison side by a small number). Loops are followed for
// as many rounds as their counters allow, a Call with the caller's values restored after it.
class RangeCheck {
public:
    // Rewrites until one whole walk finds nothing to change; false if that never happens.
    static bool Confine(Script& script);

private:
    using State = std::vector<ValueRange>;

    explicit RangeCheck(Script& script) : script_(script) {}
    bool Walk();  // true when nothing had to be rewritten
    void List(StmtList& list, State& state);
    void Statement(Stmt& s, State& state);
    void If(Stmt& s, State& state);
    template <typename Body>
    void Rounds(int count, State& state, Body body);
    void Subroutine(int k, State& state);
    void Join(State& into, const State& from) const;
    void JoinJump(int label, const State& state);

    ValueRange Value(Expr& e, const State& state);
    ValueRange Word(Expr& e, const State& state);
    void CheckCondition(Condition& c, const State& state);
    // The range of `e`, or nothing with the index of the operand at fault (0 is the first).
    std::optional<ValueRange> Evaluate(const Expr& e, const State& state, std::size_t& fault) const;
    std::optional<ValueRange> OperandRange(const Operand& o, const State& state) const;
    void Rewrite(Expr& e);

    Script& script_;
    std::map<int, State> jumps_;               // per label: the states GoTo brought there
    std::vector<std::optional<State>> returns_;  // per subroutine being followed: states at Return
    int rewrites_ = 0;
};

}  // namespace orvane::test
