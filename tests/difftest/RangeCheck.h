#pragma once
#include "tests/difftest/ScriptTree.h"

namespace orvane::test {

// Keeps a generated script where the two number models agree: it follows every path the script
// can take with the interval each variable may hold, and rewrites an operand that could leave
// those ranges (a division that might not be exact becomes "* 1", any other fault replaces the
// expression or comparison side by a small number), until one whole walk finds nothing to
// change; false if that never happens. Loops are followed for as many rounds as their counters
// allow, a Call with the caller's values restored after it.
bool ConfineRanges(Script& script);

}  // namespace orvane::test
