// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <span>

#include "app/window/CommandIds.h"

namespace orvane::app::shell {

// Every command of the window with its menu text (the '&' mnemonic and, after '\t', the keys
// it answers to), its status-bar help, its tooltip and its toolbar icon. The window builds its
// actions from this one table; nothing else spells these texts.
struct CommandEntry {
    window::CommandId id;
    const char* text;       // UTF-8, exactly as the menu shows it
    const char* statusTip;  // fly-over help in the message pane
    const char* toolTip;
    const char* icon;       // resource name under :/icons/, or null
    const char* extraKeys;  // further shortcuts, ';'-separated (Qt's portable key names), or null
};

class CommandCatalog {
public:
    static std::span<const CommandEntry> All();
    // Null for an id the table does not hold.
    static const CommandEntry* Find(window::CommandId id);
};

}  // namespace orvane::app::shell
