// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/script/Statement.h"

namespace orvane::commands {
struct CommandDef;
class CommandTable;
}  // namespace orvane::commands

namespace orvane::script {

class VariableTable;

// The small text operations that take a statement apart. A piece that is absent comes back as
// nothing. Names are compared exactly, case included.
class StatementPieces {
public:
    // How an absent piece reads where one is shown or written out regardless (a label in a
    // message, a jump target in the generated assembler).
    static constexpr std::string_view kShownAbsent = "<<BRAK>>";

    // Text before the first "("; none without "(" or with an "=" at or before it.
    static std::optional<std::string> CommandNameOf(std::string_view statement);
    // The definition of the command a call names; none for a call without "(" or of a name the
    // table does not know.
    static const commands::CommandDef* CommandOf(std::string_view statement,
                                                 const commands::CommandTable& commands);
    // Text before the first ":".
    static std::optional<std::string> LabelOf(std::string_view statement);
    // The label (or "Var", "asm") a statement is. A loop whose body holds a label or a
    // declaration has a ":" too, but it is a loop.
    static std::optional<std::string> StatementLabel(const Statement& statement);
    // Text before the first "=" when a variable of exactly that name exists.
    static std::optional<std::string> AssignedVariable(std::string_view statement,
                                                       const VariableTable& variables);
    // The n-th argument (from 1), split at every comma; none when absent or empty.
    static std::optional<std::string> ArgumentText(std::string_view statement, int n);
    // The raw n-th argument text as ArgumentText cuts it, empty ones included; none when the
    // statement has no "(" or fewer than n arguments.
    static std::optional<std::string> CutArgument(std::string_view statement, int n);

    // `piece`, or kShownAbsent.
    static std::string Shown(const std::optional<std::string>& piece);
};

}  // namespace orvane::script
