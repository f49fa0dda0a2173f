#pragma once
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "tests/difftest/ScriptTree.h"

namespace orvane::test {

// Writes a script tree as a user might type it: blanks, line breaks and both kinds of comment
// fall between the tokens at random, and braces go where the tree's reading needs them. A tidy
// print (for reports) puts a blank between tokens and a line break after ";", "{" and "}".
class ScriptPrinter {
public:
    explicit ScriptPrinter(std::uint64_t seed, bool tidy = false) : rng_(seed), tidy_(tidy) {}

    std::string Print(const Script& script);

private:
    void Token(std::string_view token);
    void Statement(const Stmt& s);
    void Branch(const Stmt& s, bool elseFollows);
    void CountedLoop(const Stmt& s);
    void LabelLoop(const Stmt& s);
    void Reset(int counter);
    void Step(int counter);
    void Condition(const struct Condition& c);
    void Expression(const Expr& e);
    void Operand(const struct Operand& o);
    void Number(std::int64_t n);
    void Label(int label);
    void Jump(std::string_view keyword, const std::string& target);
    int Pick(int lo, int hi) { return lo + static_cast<int>(rng_() % static_cast<std::uint64_t>(hi - lo + 1)); }

    std::mt19937_64 rng_;
    bool tidy_;
    const Script* script_ = nullptr;
    std::string out_;
};

}  // namespace orvane::test
