// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <span>
#include <string_view>

namespace orvane::compiler {

// The places where a script's result depends on the engine that runs it: the run on the PC
// computes with signed real numbers, the compiled program with 16-bit words without a sign.
enum class WarningKind {
    NegativeComparison,  // a comparison with a negative constant or a variable given one
    ConstantOutOfRange,  // a number written outside 0…65535, or with a fraction
    DivisionByZero,      // a division by a constant worth 0
    WideResult,          // a constant expression whose value the word does not hold
};

// One kind of warning, by the code it carries: its title in the compile's report, then what the
// help page says of it. All UTF-8. The report, `orvane-cli compile` and the help's pages are all
// made from this table.
struct WarningEntry {
    WarningKind kind;
    const char* code;
    const char* title;    // the report's words for it
    const char* meaning;  // why the two engines part there
    const char* example;  // a statement of the script
    const char* onPc;     // what the run on the PC gives
    const char* onChip;   // what the compiled program gives
    const char* remedy;
};

class WarningCatalog {
public:
    static std::span<const WarningEntry> All();
    static const WarningEntry& Of(WarningKind kind);
    // Null for a code that is no warning's.
    static const WarningEntry* Find(std::string_view code);
};

}  // namespace orvane::compiler
