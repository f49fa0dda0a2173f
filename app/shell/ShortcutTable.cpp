// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/ShortcutTable.h"

#include <string_view>

#include "app/shell/CommandCatalog.h"

namespace orvane::app::shell {

std::vector<orvane::help::ShortcutRow> ShortcutTable::Rows() {
    std::vector<orvane::help::ShortcutRow> rows;
    for (const CommandEntry& entry : CommandCatalog::All()) {
        const std::string_view text = entry.text;
        const auto tab = text.find('\t');
        std::string keys = tab == std::string_view::npos ? std::string() : std::string(text.substr(tab + 1));
        for (std::string_view extra = entry.extraKeys ? entry.extraKeys : ""; !extra.empty();) {
            const auto end = std::min(extra.find(';'), extra.size());
            keys += (keys.empty() ? "" : ", ") + std::string(extra.substr(0, end));
            extra.remove_prefix(std::min(end + 1, extra.size()));
        }
        if (keys.empty()) continue;
        std::string command;
        for (const char c : text.substr(0, tab)) {
            if (c != '&') command += c;
        }
        rows.push_back({keys, command, entry.statusTip});
    }
    return rows;
}

}  // namespace orvane::app::shell
