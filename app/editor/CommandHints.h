// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include "app/editor/Dictionaries.h"

namespace orvane::commands {
struct CommandDef;
class CommandTable;
}  // namespace orvane::commands

namespace orvane::app::editor {

// The call tip of a device command, made from its definition: its arguments' descriptions in
// order ("bez argumentów" when it takes none), with the command's own description kept beside.
// The shipped functions dictionary holds exactly these lines for the shipped Komendy.ini, and
// the window adds those of the loaded table at start-up, so a command the user defined has its
// tip too.
FunctionHint HintOf(const commands::CommandDef& command);
// Every command of the table, in the order of its file.
std::vector<FunctionHint> HintsOf(const commands::CommandTable& table);

}  // namespace orvane::app::editor
