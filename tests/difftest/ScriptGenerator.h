#pragma once
#include <cstdint>
#include <random>
#include <vector>

#include "tests/difftest/ScriptTree.h"

namespace orvane::test {

// Random scripts of the subset both engines run: declarations, assignments with + - * / and
// brackets, every comparison, if/else with and without braces and in else-if chains, while with
// and without braces, loops made of a label and GoTo, Call, Run, Return, labels and forward
// GoTo. Every script ends: a loop's counter is its own, reset before it and advanced on every
// path through the body, and GoTo jumps forward (the two label loops aside, bounded by their
// counters). Code under a constant false condition is never run and may hold anything that
// compiles, endless loops included. Values are kept in range by RangeCheck afterwards.
class ScriptGenerator {
public:
    explicit ScriptGenerator(std::uint64_t seed) : rng_(seed) {}

    Script Generate();

private:
    // Where a statement is generated: the labels ahead that a GoTo may jump to, and whether the
    // code can ever run.
    struct Place {
        std::vector<int> labelsAhead;
        bool dead = false;
    };

    StmtList List(int count, int depth, const Place& place, int planted = -1);
    StmtPtr Host(int depth, const Place& place, int label);
    StmtPtr Statement(int depth, const Place& place);
    StmtPtr LiveStatement(int depth, const Place& place);
    StmtPtr DeadStatement(int depth, const Place& place);
    StmtPtr Branch(int depth, const Place& place);
    StmtPtr If(int depth, const Place& place);
    StmtPtr ConstantIf(int depth, const Place& place);
    StmtPtr While(int depth, const Place& place, int planted = -1);
    StmtPtr LabelLoop(Stmt::Kind kind, int depth, const Place& place);
    StmtPtr Advance(int counter, int bound, int depth, const Place& place);
    StmtPtr Assign(int variable, Expr value) const;
    StmtPtr Simple(Stmt::Kind kind, int target = -1) const;

    Condition MakeCondition();
    Expr Expression(int depth);
    Operand MakeOperand(int depth);
    std::int64_t Number();
    void AppendFactor(Expr& e, std::int64_t& literalFactor, std::vector<int>& variableFactors, int depth);

    int Counter();
    int UserVariable();
    int AnyVariable();
    int Pick(int lo, int hi);  // lo..hi, both included
    bool Chance(int percent) { return Pick(1, 100) <= percent; }

    std::mt19937_64 rng_;
    Script script_;
    int userVariables_ = 0;
    int labels_ = 0;
    int function_ = -1;  // -1: main; otherwise the subroutine being generated
    int loopDepth_ = 0;
    int callSites_ = 0;
};

}  // namespace orvane::test
