// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/StatementPieces.h"

#include "core/commands/CommandTable.h"
#include "core/script/VariableTable.h"

namespace orvane::script {

namespace {

constexpr auto npos = std::string_view::npos;

}  // namespace

std::optional<std::string> StatementPieces::CommandNameOf(std::string_view statement) {
    const auto paren = statement.find('(');
    if (paren == npos) return std::nullopt;
    const auto equals = statement.find('=');
    if (equals != npos && equals <= paren) return std::nullopt;
    return std::string(statement.substr(0, paren));
}

const commands::CommandDef* StatementPieces::CommandOf(std::string_view statement,
                                                      const commands::CommandTable& commands) {
    const auto name = CommandNameOf(statement);
    return name ? commands.Find(*name) : nullptr;
}

std::optional<std::string> StatementPieces::LabelOf(std::string_view statement) {
    const auto colon = statement.find(':');
    if (colon == npos) return std::nullopt;
    return std::string(statement.substr(0, colon));
}

std::optional<std::string> StatementPieces::StatementLabel(const Statement& statement) {
    if (statement.isElse || statement.StartsWith("while(")) return std::nullopt;
    return LabelOf(statement.text);
}

std::optional<std::string> StatementPieces::AssignedVariable(std::string_view statement,
                                                             const VariableTable& variables) {
    const auto equals = statement.find('=');
    if (equals == npos) return std::nullopt;
    const auto name = statement.substr(0, equals);
    if (variables.Find(name) == nullptr) return std::nullopt;
    return std::string(name);
}

std::optional<std::string> StatementPieces::ArgumentText(std::string_view statement, int n) {
    auto argument = CutArgument(statement, n);
    if (argument && argument->empty()) return std::nullopt;
    return argument;
}

// Arguments are split at every comma, brackets or not: an argument can hold no comma.
std::optional<std::string> StatementPieces::CutArgument(std::string_view statement, int n) {
    const auto paren = statement.find('(');
    if (paren == npos) return std::nullopt;
    auto rest = statement.substr(paren + 1);
    for (int skip = 1; skip < n; ++skip) {
        const auto comma = rest.find(',');
        if (comma == npos) return std::nullopt;
        rest.remove_prefix(comma + 1);
    }
    rest = rest.substr(0, rest.find(','));
    rest = rest.substr(0, rest.find(");"));
    rest = rest.substr(0, rest.find(")}"));
    return std::string(rest);
}

std::string StatementPieces::Shown(const std::optional<std::string>& piece) {
    return piece ? *piece : std::string(kShownAbsent);
}

}  // namespace orvane::script
