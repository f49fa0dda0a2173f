// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/CommandListEditor.h"

#include <algorithm>

#include "core/commands/CommandFile.h"
#include "core/commands/IniFile.h"
#include "core/host/Cp1250.h"
#include "core/tools/CommandTexts.h"

namespace orvane::tools {

std::vector<CommandListEditor::Line> CommandListEditor::Lines() const {
    std::vector<Line> lines;
    const auto& records = table_.NewestFirst();
    for (std::size_t i = 0; i < records.size(); ++i) lines.push_back({CommandTexts::ListLine(records[i]), i});
    std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
        return host::FoldCase(a.text) < host::FoldCase(b.text);
    });
    return lines;
}

std::string CommandListEditor::NameConflict(const std::string& name, std::optional<std::size_t> editing) const {
    const std::string_view wanted = commands::IniFile::TrimBlanks(name);
    const auto& records = table_.NewestFirst();
    if (editing && host::EqualsIgnoreCase(records.at(*editing).name, wanted)) return {};
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (host::EqualsIgnoreCase(records[i].name, wanted)) {
            return host::Pl("Komenda o nazwie „") + records[i].name +
                   host::Pl("” już istnieje (wielkość liter nie ma znaczenia). Podaj inną nazwę.");
        }
    }
    return {};
}

void CommandListEditor::Remove(std::size_t record) {
    auto& records = table_.NewestFirst();
    if (record < records.size()) records.erase(records.begin() + static_cast<std::ptrdiff_t>(record));
}

std::string CommandListEditor::RemoveQuestion(std::size_t record) const {
    const commands::CommandDef& def = Record(record);
    // A command without a description is named, so the question never asks about nothing.
    return host::Pl("Czy usunąć komendę:\n\n") + (def.description.empty() ? def.name : def.description);
}

bool CommandListEditor::Save(host::SettingsStore& settings, host::FileChooser& files, host::Prompts& prompts) const {
    return commands::CommandFile::Write(table_, settings, files, prompts);
}

}  // namespace orvane::tools
