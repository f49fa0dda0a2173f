// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/compiler/ConstantFold.h"
#include "core/compiler/WarningCatalog.h"
#include "core/script/Statement.h"

namespace orvane::compiler {

// One statement whose result depends on the engine. Texts are CP1250.
struct EngineWarning {
    WarningKind kind = WarningKind::NegativeComparison;
    std::int32_t line = 0;  // from 1
    script::StatementSpan span;
    std::string statement;  // as boxes quote it
    std::string detail;     // the values involved

    const char* Code() const { return WarningCatalog::Of(kind).code; }
    // The warning in the compile's own words, one line:
    // Ostrzeżenie (RASM3) w wierszu 4: "x=a/0;": dzielenie przez stałą 0 (…)
    std::string Text() const;
};

// What the translation noticed where the run on the PC and the compiled program part, statement
// by statement; at most one warning of each kind per statement. A comparison with a variable is
// judged once the whole script was read, since the negative value may be assigned further down.
class EngineWarnings {
public:
    struct Place {
        std::int32_t line = 0;
        script::StatementSpan span;
        std::string statement;
    };

    void Note(WarningKind kind, const Place& at, std::string detail);
    // The variables a comparison at `at` reads.
    void Compared(const Place& at, const std::vector<std::string>& variables);
    void AssignedNegative(const std::string& variable, const Constant& value, std::int32_t line);

    // Every warning, in the script's order.
    std::vector<EngineWarning> All() const;

private:
    struct Comparison {
        Place at;
        std::vector<std::string> variables;
    };

    std::vector<EngineWarning> noted_;
    std::vector<Comparison> comparisons_;
    struct Assigned {
        Constant value;
        std::int32_t line = 0;
    };
    std::map<std::string, Assigned> negative_;  // by variable, the first assignment
};

}  // namespace orvane::compiler
