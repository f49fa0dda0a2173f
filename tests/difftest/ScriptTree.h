// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orvane::test {

// A generated script as a tree, in the language's own reading (C's: "*" and "/" bind tighter,
// an else belongs to the nearest if without one), and what makes, confines and prints it.

struct Expr;
using ExprPtr = std::shared_ptr<Expr>;

struct Operand {
    enum class Kind { Number, Variable, Group };
    Kind kind = Kind::Number;
    std::int64_t number = 0;
    int variable = -1;
    ExprPtr group;

    static Operand Num(std::int64_t n) { return {Kind::Number, n, -1, nullptr}; }
    static Operand Var(int v) { return {Kind::Variable, 0, v, nullptr}; }
};

// Operands joined left to right by "+", "-", "*" and "/".
struct Expr {
    bool negated = false;  // a leading "-"
    Operand first;
    std::vector<std::pair<char, Operand>> rest;

    static Expr Of(Operand operand) { return {false, std::move(operand), {}}; }
};

// `left op right`, or the value of `left` alone when `op` is empty.
struct Condition {
    Expr left;
    std::string op;
    Expr right;

    // A lone literal: decided when the program is written, not when it runs.
    bool IsConstant() const { return op.empty() && !left.negated && left.rest.empty() && left.first.kind == Operand::Kind::Number; }
};

struct Stmt;
using StmtPtr = std::shared_ptr<Stmt>;
using StmtList = std::vector<StmtPtr>;

struct Stmt {
    enum class Kind {
        Assign,       // variable = value;
        Block,        // { body }
        If,           // if (condition) then [else otherwise]
        While,        // counter = 0; while (counter < iterations) then
        LabelLoop,    // counter = 0; label: body counter = counter + 1; if (counter < iterations) GoTo(label);
        EndlessLoop,  // counter = 0; while (1) { body counter = counter + 1; if (counter >= iterations) GoTo(label); } label:
        Call,
        Run,
        GoTo,
        Label,
        Exit,
        Return,
    };
    Kind kind = Kind::Assign;
    int variable = -1;  // Assign: the target; loops: their counter
    Expr value;
    Condition condition;
    StmtPtr then;       // If: the branch; While: the body
    StmtPtr otherwise;  // If: the else branch, or null
    StmtList body;      // Block, LabelLoop, EndlessLoop
    int target = -1;    // Call, Run: the subroutine; GoTo, Label and the two label loops: the label
    int iterations = 0; // loops: the most times the body runs
};

struct Script {
    std::vector<std::string> variables;  // user variables first, then loop counters
    StmtList main;
    std::vector<StmtList> subroutines;   // each after its label S<n>, ended by Return()
    int mainEnd = 0;                     // 0: Exit(), 1: Return(), 2: runs on into the first subroutine
};

// A loop with its counter prints as several statements: as a branch it needs braces.
inline bool IsComposite(const Stmt& s) {
    return (s.kind == Stmt::Kind::While && s.variable >= 0) || s.kind == Stmt::Kind::LabelLoop ||
           s.kind == Stmt::Kind::EndlessLoop;
}

// Whether a statement ends with an if that has no else: an else printed after it would be taken
// by that if, so an outer else needs braces around it.
inline bool EndsOpen(const Stmt& s) {
    if (s.kind == Stmt::Kind::If) return !s.otherwise || EndsOpen(*s.otherwise);
    if (s.kind == Stmt::Kind::While) return EndsOpen(*s.then);
    return false;
}

// Random scripts of the subset both engines run: declarations, assignments with + - * / and
// brackets, every comparison, if/else with and without braces and in else-if chains, while with
// and without braces, loops made of a label and GoTo, Call, Run, Return, labels and forward
// GoTo. Every script ends: a loop's counter is its own, reset before it and advanced on every
// path through the body, and GoTo jumps forward (the two label loops aside, bounded by their
// counters). Code under a constant false condition is never run and may hold anything that
// compiles, endless loops included. Values are kept in range by ConfineRanges afterwards.
Script GenerateScript(std::uint64_t seed);

// Keeps a generated script where the two number models agree: it follows every path the script
// can take with the interval each variable may hold, and rewrites an operand that could leave
// those ranges (a division that might not be exact becomes "* 1", any other fault replaces the
// expression or comparison side by a small number), until one whole walk finds nothing to
// change; false if that never happens. Loops are followed for as many rounds as their counters
// allow, a Call with the caller's values restored after it.
bool ConfineRanges(Script& script);

// Writes a script tree as a user might type it: blanks, line breaks and both kinds of comment
// fall between the tokens at random, and braces go where the tree's reading needs them.
std::string PrintScript(const Script& script, std::uint64_t seed);

}  // namespace orvane::test
