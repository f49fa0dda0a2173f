// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/difftest/ScriptTree.h"

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

namespace orvane::test {

namespace {

// "ab" and "xy" start with other variables' names: both engines must read them whole.
constexpr std::array<const char*, 9> kNames{"a", "b", "x", "y", "ab", "n", "xy", "s", "t"};
constexpr std::array<const char*, 6> kComparisons{"<", "<=", "==", "!=", ">=", ">"};
constexpr int kMaxDepth = 3;
constexpr int kMaxLoopNesting = 2;
constexpr int kMaxCallSites = 3;  // each saves and restores every variable in the program text

class Generator {
public:
    explicit Generator(std::uint64_t seed) : rng_(seed) {}

    Script Generate() {
        userVariables_ = Pick(2, static_cast<int>(kNames.size()));
        const int first = Pick(0, static_cast<int>(kNames.size()) - userVariables_);
        for (int i = 0; i < userVariables_; ++i) script_.variables.emplace_back(kNames[static_cast<std::size_t>(first + i)]);
        script_.subroutines.resize(static_cast<std::size_t>(Pick(0, 3)));
        script_.main = List(Pick(3, 8), 0, {});
        for (std::size_t k = 0; k < script_.subroutines.size(); ++k) {
            function_ = static_cast<int>(k);
            script_.subroutines[k] = List(Pick(1, 4), 0, {});
        }
        script_.mainEnd = Pick(0, script_.subroutines.empty() ? 1 : 2);
        return script_;
    }

private:
    // Where a statement is generated: the labels ahead that a GoTo may jump to, and whether the
    // code can ever run.
    struct Place {
        std::vector<int> labelsAhead;
        bool dead = false;
    };

    // A label may stand anywhere in the list, or inside a block or loop body that the list holds;
    // the statements before it may jump to it. `planted` is a label this list must hold.
    StmtList List(int count, int depth, const Place& place, int planted = -1) {
        StmtList list;
        int label = planted;
        int at = planted >= 0 ? Pick(0, count) : -1;
        if (planted < 0 && !place.dead && Chance(30)) {
            label = labels_++;
            at = Pick(1, count);
        }
        const bool inside = planted < 0 && at < count && depth < kMaxDepth && Chance(35);
        for (int i = 0; i < count; ++i) {
            Place inner = place;
            if (i < at) inner.labelsAhead.push_back(label);
            if (i == at && inside) {
                list.push_back(Host(depth, inner, label));
                continue;
            }
            if (i == at) list.push_back(Simple(Stmt::Kind::Label, label));
            list.push_back(place.dead ? DeadStatement(depth, inner) : LiveStatement(depth, inner));
        }
        if (at == count) list.push_back(Simple(Stmt::Kind::Label, label));
        return list;
    }

    // A block or a loop with `label` somewhere in its body, for a jump from before it.
    StmtPtr Host(int depth, const Place& place, int label) {
        if (loopDepth_ < kMaxLoopNesting && Chance(50)) return While(depth, place, label);
        return Block(Pick(1, 3), depth + 1, place, label);
    }

    StmtPtr Block(int count, int depth, const Place& place, int planted = -1) {
        auto block = Simple(Stmt::Kind::Block);
        block->body = List(count, depth, place, planted);
        return block;
    }

    StmtPtr LiveStatement(int depth, const Place& place) {
        const int roll = Pick(1, 100);
        const bool nest = depth < kMaxDepth;
        const bool loop = nest && loopDepth_ < kMaxLoopNesting;
        const int subroutines = static_cast<int>(script_.subroutines.size());
        if (nest && roll <= 18) return If(depth, place);
        if (loop && roll <= 26) return While(depth, place);
        if (loop && roll <= 29) return LabelLoop(Stmt::Kind::LabelLoop, depth, place);
        if (loop && roll <= 32) return LabelLoop(Stmt::Kind::EndlessLoop, depth, place);
        if (nest && roll <= 37) return Block(Pick(1, 3), depth + 1, place);
        if (nest && roll <= 41) return ConstantIf(depth, place);
        if (roll <= 47 && function_ + 1 < subroutines) {
            const bool call = callSites_ < kMaxCallSites && Chance(60);
            callSites_ += call ? 1 : 0;
            return Simple(call ? Stmt::Kind::Call : Stmt::Kind::Run, Pick(function_ + 1, subroutines - 1));
        }
        const auto& ahead = place.labelsAhead;
        if (roll <= 52 && !ahead.empty())
            return Simple(Stmt::Kind::GoTo, ahead[static_cast<std::size_t>(Pick(0, static_cast<int>(ahead.size()) - 1))]);
        if (nest && roll <= 54) {
            // An early end: Exit() anywhere, Return() from a subroutine.
            auto early = Simple(Stmt::Kind::If);
            early->condition = MakeCondition();
            early->then = Simple(function_ >= 0 && Chance(60) ? Stmt::Kind::Return : Stmt::Kind::Exit);
            return early;
        }
        return Assign(UserVariable(), Expression(0));
    }

    // Never runs, so it need not end: it only has to compile and be passed over by both engines.
    StmtPtr DeadStatement(int depth, const Place& place) {
        const int roll = depth < kMaxDepth ? Pick(1, 100) : 100;
        const int subroutines = static_cast<int>(script_.subroutines.size());
        if (roll <= 25) {
            auto s = Simple(Stmt::Kind::If);
            s->condition = MakeCondition();
            s->then = Branch(depth + 1, place);
            if (Chance(50)) s->otherwise = Branch(depth + 1, place);
            return s;
        }
        if (roll <= 45) {
            auto s = Simple(Stmt::Kind::While);  // no counter: `while (condition) body`
            if (Chance(50)) s->condition.left = Expr::Of(Operand::Num(1));
            else s->condition = MakeCondition();
            s->then = Branch(depth + 1, place);
            return s;
        }
        if (roll <= 55) return Block(Pick(1, 3), depth + 1, place);
        if (roll <= 62 && function_ + 1 < subroutines) return Simple(Stmt::Kind::Run, Pick(function_ + 1, subroutines - 1));
        return Assign(UserVariable(), Expression(0));
    }

    // The statement after if, else or a loop's condition: a braced list or a single statement
    // (which may be another if, for the dangling else). The printer adds the braces a statement
    // that prints as several needs.
    StmtPtr Branch(int depth, const Place& place) {
        if (Chance(45)) return Block(Pick(1, 3), depth, place);
        return place.dead ? DeadStatement(depth, place) : LiveStatement(depth, place);
    }

    StmtPtr If(int depth, const Place& place) {
        auto s = Simple(Stmt::Kind::If);
        s->condition = MakeCondition();
        s->then = Branch(depth + 1, place);
        const int roll = Pick(1, 100);
        if (roll > 80) s->otherwise = If(depth + 1, place);  // else if
        else if (roll > 45) s->otherwise = Branch(depth + 1, place);
        return s;
    }

    // if (0) and if (1): the branch that can never run is dead code.
    StmtPtr ConstantIf(int depth, const Place& place) {
        auto s = Simple(Stmt::Kind::If);
        const int value = Chance(50) ? 0 : Pick(1, 9);
        s->condition.left = Expr::Of(Operand::Num(value));
        const Place dead{{}, true};
        s->then = Branch(depth + 1, value == 0 ? dead : place);
        if (Chance(50)) s->otherwise = Branch(depth + 1, value == 0 ? place : dead);
        return s;
    }

    // A jump into the body passes over the counter's reset: it holds whatever it held, never
    // below 0, so the loop still ends.
    StmtPtr While(int depth, const Place& place, int planted = -1) {
        auto s = Simple(Stmt::Kind::While);
        s->variable = Counter();
        s->iterations = Pick(1, 4);
        ++loopDepth_;
        if (planted >= 0 || Chance(60)) {
            s->then = Block(Pick(1, 3), depth + 1, place, planted);
            s->then->body.push_back(Advance(s->variable, s->iterations, depth + 1, place));
        } else {
            s->then = Advance(s->variable, s->iterations, depth + 1, place);
        }
        --loopDepth_;
        return s;
    }

    // counter = 0; label: body ... GoTo(label) back, or while (1) { body ... GoTo(label) out } label:
    StmtPtr LabelLoop(Stmt::Kind kind, int depth, const Place& place) {
        auto s = Simple(kind, labels_++);
        s->variable = Counter();
        s->iterations = Pick(1, 4);
        Place inner = place;
        if (kind == Stmt::Kind::EndlessLoop) inner.labelsAhead.push_back(s->target);
        ++loopDepth_;
        s->body = List(Pick(1, 3), depth + 1, inner);
        --loopDepth_;
        return s;
    }

    // A statement that adds at least 1 to the counter on every path and touches it nowhere else.
    // `if (counter < M)` with M at least the loop's bound is always true inside the loop.
    StmtPtr Advance(int counter, int bound, int depth, const Place& place) {
        const int roll = depth > kMaxDepth ? 1 : Pick(1, 100);
        if (roll <= 45) {
            Expr step = Expr::Of(Operand::Var(counter));
            step.rest.emplace_back('+', Operand::Num(Pick(1, 2)));
            return Assign(counter, step);
        }
        auto s = Simple(Stmt::Kind::If);
        if (roll <= 65) {
            s->condition = MakeCondition();
            s->then = Advance(counter, bound, depth + 1, place);
            s->otherwise = Advance(counter, bound, depth + 1, place);
            return s;
        }
        if (roll <= 80) {
            s->condition = {Expr::Of(Operand::Var(counter)), Chance(50) ? "<" : "<=", Expr::Of(Operand::Num(bound + Pick(0, 3)))};
            s->then = Advance(counter, bound, depth + 1, place);
            return s;
        }
        auto block = Block(Pick(1, 2), depth + 1, place);
        block->body.push_back(Advance(counter, bound, depth + 1, place));
        return block;
    }

    StmtPtr Assign(int variable, Expr value) const {
        auto s = Simple(Stmt::Kind::Assign);
        s->variable = variable;
        s->value = std::move(value);
        return s;
    }

    StmtPtr Simple(Stmt::Kind kind, int target = -1) const {
        auto s = std::make_shared<Stmt>();
        s->kind = kind;
        s->target = target;
        return s;
    }

    Condition MakeCondition() {
        Condition c;
        c.left = Expression(1);
        if (Chance(12)) return c;
        c.op = kComparisons[static_cast<std::size_t>(Pick(0, 5))];
        c.right = Expression(1);
        return c;
    }

    Expr Expression(int depth) {
        Expr e;
        e.negated = Chance(6);
        e.first = MakeOperand(depth);
        for (int i = Pick(0, depth >= 2 ? 1 : 3); i > 0; --i) {
            const int roll = Pick(1, 100);
            if (roll <= 55) e.rest.emplace_back(roll <= 30 ? '+' : '-', MakeOperand(depth));
            else if (Chance(65)) e.rest.emplace_back('*', MakeOperand(depth));
            else AppendDivision(e);
        }
        return e;
    }

    // An exact division: by the factor just before it (a variable, or a divisor of a literal),
    // or "* k / d" with d dividing k when that factor is neither.
    void AppendDivision(Expr& e) {
        const bool factor = e.rest.empty() || e.rest.back().first != '/';
        const Operand last = e.rest.empty() ? e.first : e.rest.back().second;
        if (factor && last.kind == Operand::Kind::Variable) return e.rest.emplace_back('/', last), void();
        std::int64_t k = factor && last.kind == Operand::Kind::Number ? last.number : 0;
        if (k < 2) e.rest.emplace_back('*', Operand::Num(k = Pick(2, 12)));
        std::vector<std::int64_t> divisors;
        for (std::int64_t d = 2; d <= std::min<std::int64_t>(k, 60); ++d)
            if (k % d == 0) divisors.push_back(d);
        e.rest.emplace_back('/', Operand::Num(divisors.empty() ? 1 : divisors[static_cast<std::size_t>(Pick(0, static_cast<int>(divisors.size()) - 1))]));
    }

    Operand MakeOperand(int depth) {
        const int roll = Pick(1, 100);
        if (depth < 2 && roll <= 12) return {Operand::Kind::Group, 0, -1, std::make_shared<Expr>(Expression(depth + 1))};
        if (roll <= 55) return Operand::Var(Pick(0, static_cast<int>(script_.variables.size()) - 1));
        return Operand::Num(Number());
    }

    // Mostly small; now and then beyond 16 bits, which the compiled program wraps as the
    // interpreter's value reduced modulo 65536 (the assembler masks the high byte).
    std::int64_t Number() {
        const int roll = Pick(1, 100);
        if (roll <= 70) return Pick(0, 12);
        if (roll <= 90) return Pick(13, 300);
        if (roll <= 98) return Pick(301, 65535);
        return Pick(65536, 99999);
    }

    // Loops one inside the other count with different variables, and a subroutine never with
    // its caller's; loops one after the other share theirs. Each variable costs every Call its
    // saving and restoring, and the program must fit in the controller's flash.
    int Counter() {
        const std::string name = "c" + std::to_string(function_ + 1) + std::to_string(loopDepth_);
        auto& names = script_.variables;
        const auto at = std::find(names.begin(), names.end(), name);
        if (at != names.end()) return static_cast<int>(at - names.begin());
        names.push_back(name);
        return static_cast<int>(names.size()) - 1;
    }

    int UserVariable() { return Pick(0, userVariables_ - 1); }
    // lo..hi, both included; plain modulo on the engine's raw output: the same numbers from the
    // same seed everywhere.
    int Pick(int lo, int hi) { return lo + static_cast<int>(rng_() % static_cast<std::uint64_t>(hi - lo + 1)); }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }

    std::mt19937_64 rng_;
    Script script_;
    int userVariables_ = 0;
    int labels_ = 0;
    int function_ = -1;  // -1: main; otherwise the subroutine being generated
    int loopDepth_ = 0;
    int callSites_ = 0;
};

}  // namespace

Script GenerateScript(std::uint64_t seed) { return Generator(seed).Generate(); }

}  // namespace orvane::test
