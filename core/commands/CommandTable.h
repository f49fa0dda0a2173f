// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>
#include <vector>

#include "core/commands/CommandDef.h"

namespace orvane::commands {

// The loaded command definitions. Every user walks them newest first (the record loaded last
// comes first); lookups take the first record of that walk whose name matches exactly.
class CommandTable {
public:
    // Records in traversal order: newest first.
    const std::vector<CommandDef>& NewestFirst() const { return records_; }
    std::vector<CommandDef>& NewestFirst() { return records_; }
    bool Empty() const { return records_.empty(); }
    std::size_t Size() const { return records_.size(); }

    // The first record, newest first, whose name equals `name` (case matters); null if none.
    const CommandDef* Find(std::string_view name) const;

    // The loader makes each record it reads the newest.
    void AddNewest(CommandDef def);
    // The command editor puts a record it adds behind the oldest, so it comes last in the walk.
    void AddOldest(CommandDef def);
    void Clear() { records_.clear(); }

private:
    std::vector<CommandDef> records_;
};

}  // namespace orvane::commands
