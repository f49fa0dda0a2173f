// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/commands/CommandTable.h"

namespace orvane::commands {

const CommandDef* CommandTable::Find(std::string_view name) const {
    for (const auto& def : records_) {
        if (def.name == name) return &def;
    }
    return nullptr;
}

void CommandTable::AddNewest(CommandDef def) { records_.insert(records_.begin(), std::move(def)); }

void CommandTable::AddOldest(CommandDef def) { records_.push_back(std::move(def)); }

}  // namespace orvane::commands
