#pragma once
#include <cstdint>
#include <string>

#include "tests/difftest/ScriptTree.h"

namespace orvane::test {

// Writes a script tree as a user might type it: blanks, line breaks and both kinds of comment
// fall between the tokens at random, and braces go where the tree's reading needs them. A tidy
// print (for reports) puts a blank between tokens and a line break after ";", "{" and "}".
std::string PrintScript(const Script& script, std::uint64_t seed, bool tidy = false);

}  // namespace orvane::test
