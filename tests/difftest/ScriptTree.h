#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orvane::test {

// A generated script as a tree, in the language's own reading (C's: "*" and "/" bind tighter,
// an else belongs to the nearest if without one). The printer turns it into text; the range
// check keeps its values where both engines compute the same numbers.

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
    int conditionForm = 0;  // While: which way its bound is written
};

struct Script {
    std::vector<std::string> variables;  // user variables first, then loop counters
    StmtList main;
    std::vector<StmtList> subroutines;   // each after its label S<n>, ended by Return()
    int mainEnd = 0;                     // 0: Exit(), 1: Return(), 2: runs on into the first subroutine
};

// A product's known literal factor times n; one too large to follow is forgotten (every value
// is a multiple of 1).
inline std::int64_t TimesFactor(std::int64_t factor, std::int64_t n) {
    if (factor == 0 || n == 0) return 0;
    return factor > 1000000000000LL / n ? 1 : factor * n;
}

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

}  // namespace orvane::test
