#pragma once
#include <string>
#include <string_view>

namespace orvane::script {

class VariableTable;

// The small text operations that take a statement apart. Every piece that is absent comes back
// as the no-value marker "<<BRAK>>". Names are compared exactly, case included.
class StatementPieces {
public:
    static constexpr std::string_view kNoValue = "<<BRAK>>";

    // Text before the first "("; none without "(" or with an "=" at or before it.
    static std::string CommandNameOf(std::string_view statement);
    // Text before the first ":".
    static std::string LabelOf(std::string_view statement);
    // Text before the first "=" when a variable of exactly that name exists.
    static std::string AssignedVariable(std::string_view statement, const VariableTable& variables);
    // The n-th argument (from 1), split at every comma; none when absent or empty.
    static std::string ArgumentText(std::string_view statement, int n);
    // The raw n-th argument text as ArgumentText cuts it, but empty instead of the marker;
    // false when the statement has no "(" or fewer than n arguments.
    static bool CutArgument(std::string_view statement, int n, std::string& argument);

    static bool IsNoValue(std::string_view piece) { return piece == kNoValue; }
};

}  // namespace orvane::script
