#pragma once
#include <cstdint>

#include "tests/difftest/ScriptTree.h"

namespace orvane::test {

// Random scripts of the subset both engines run: declarations, assignments with + - * / and
// brackets, every comparison, if/else with and without braces and in else-if chains, while with
// and without braces, loops made of a label and GoTo, Call, Run, Return, labels and forward
// GoTo. Every script ends: a loop's counter is its own, reset before it and advanced on every
// path through the body, and GoTo jumps forward (the two label loops aside, bounded by their
// counters). Code under a constant false condition is never run and may hold anything that
// compiles, endless loops included. Values are kept in range by ConfineRanges afterwards.
Script GenerateScript(std::uint64_t seed);

}  // namespace orvane::test
