#include "core/script/StatementPieces.h"

#include "core/script/VariableTable.h"

namespace orvane::script {

namespace {

constexpr auto npos = std::string_view::npos;

std::string NoValue() { return std::string(StatementPieces::kNoValue); }

}  // namespace

std::string StatementPieces::CommandNameOf(std::string_view statement) {
    const auto paren = statement.find('(');
    if (paren == npos) return NoValue();
    const auto equals = statement.find('=');
    if (equals != npos && equals <= paren) return NoValue();
    return std::string(statement.substr(0, paren));
}

std::string StatementPieces::LabelOf(std::string_view statement) {
    const auto colon = statement.find(':');
    if (colon == npos) return NoValue();
    return std::string(statement.substr(0, colon));
}

std::string StatementPieces::AssignedVariable(std::string_view statement,
                                              const VariableTable& variables) {
    const auto equals = statement.find('=');
    if (equals == npos) return NoValue();
    const auto name = statement.substr(0, equals);
    if (variables.Find(name) == nullptr) return NoValue();
    return std::string(name);
}

std::string StatementPieces::ArgumentText(std::string_view statement, int n) {
    std::string argument;
    if (!CutArgument(statement, n, argument) || argument.empty()) return NoValue();
    return argument;
}

// Arguments are split at every comma, brackets or not: an argument can hold no comma.
bool StatementPieces::CutArgument(std::string_view statement, int n, std::string& argument) {
    argument.clear();
    const auto paren = statement.find('(');
    if (paren == npos) return false;
    auto rest = statement.substr(paren + 1);
    for (int skip = 1; skip < n; ++skip) {
        const auto comma = rest.find(',');
        if (comma == npos) return false;
        rest.remove_prefix(comma + 1);
    }
    rest = rest.substr(0, rest.find(','));
    rest = rest.substr(0, rest.find(");"));
    rest = rest.substr(0, rest.find(")}"));
    argument.assign(rest);
    return true;
}

}  // namespace orvane::script
