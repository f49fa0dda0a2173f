// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/CommandHints.h"

#include <iterator>

#include "core/commands/CommandTable.h"
#include "core/host/Cp1250.h"

namespace orvane::app::editor {

FunctionHint HintOf(const commands::CommandDef& command) {
    FunctionHint hint{command.name, {}, command.description};
    for (int i = 0; i < command.argumentCount; ++i) {
        const std::string& description = command.arguments[static_cast<std::size_t>(i)].description;
        if (i > 0) hint.hint += ", ";
        hint.hint += description.empty() ? "argument " + std::to_string(i + 1) : description;
    }
    if (command.argumentCount <= 0) hint.hint = orvane::host::Pl("bez argumentów");
    return hint;
}

std::vector<FunctionHint> HintsOf(const commands::CommandTable& table) {
    std::vector<FunctionHint> hints;
    const auto& records = table.NewestFirst();
    for (auto it = records.rbegin(); it != records.rend(); ++it) hints.push_back(HintOf(*it));
    return hints;
}

}  // namespace orvane::app::editor
