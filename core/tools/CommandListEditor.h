// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/commands/CommandTable.h"
#include "core/host/FileChooser.h"
#include "core/host/Prompts.h"
#include "core/host/SettingsStore.h"

namespace orvane::tools {

// What the "Komendy" dialog does to the command table: a working copy shown as a sorted list,
// commands added (at the end of the table), replaced and removed by their place in the table
// (never looked up by name, so two equal names could not mix them up), and "Zapisz" writing it
// to Komendy.ini. Names stay unique without regard to case, as the script's lookups need.
class CommandListEditor {
public:
    struct Line {
        std::string text;    // the list's display form
        std::size_t record;  // the command's place in Table()
    };

    explicit CommandListEditor(commands::CommandTable table) : table_(std::move(table)) {}

    // The list as the dialog shows it: sorted ignoring case, as a sorted list box sorts.
    std::vector<Line> Lines() const;
    const commands::CommandDef& Record(std::size_t record) const { return table_.NewestFirst().at(record); }
    const commands::CommandTable& Table() const { return table_; }

    // Why `name` cannot be used (CP1250, for a box) by a new command (`editing` empty) or by
    // the command at `editing`; empty when it can. A command keeps the name it already has.
    std::string NameConflict(const std::string& name, std::optional<std::size_t> editing) const;
    void Add(commands::CommandDef def) { table_.AddOldest(std::move(def)); }
    void Replace(std::size_t record, commands::CommandDef def) { table_.NewestFirst().at(record) = std::move(def); }
    void Remove(std::size_t record);
    // The question "Usuń" asks before removing.
    std::string RemoveQuestion(std::size_t record) const;

    // "Zapisz": the table into the command file (written whole or not at all, asking again
    // while it cannot be written); false when the user gave up.
    bool Save(host::SettingsStore& settings, host::FileChooser& files, host::Prompts& prompts) const;

private:
    commands::CommandTable table_;
};

}  // namespace orvane::tools
