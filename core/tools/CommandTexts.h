// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "core/commands/CommandDef.h"

namespace orvane::tools {

// How the command dialogs show a command and its arguments (CP1250), e.g. the list line
// "ServoSet(A1:1,A2:1,A3:1,A4:1,A5:2)" and the description under the list.
class CommandTexts {
public:
    static std::string ListLine(const commands::CommandDef& def);
    static std::string Description(const commands::CommandDef& def);
    // A line of the "Komenda" dialog's argument list; n counts from 1.
    static std::string ArgumentLine(int n, const commands::CommandArg& arg);
};

}  // namespace orvane::tools
