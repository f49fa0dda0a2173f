// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/ServoSettings.h"

#include "core/host/Cp1250.h"

namespace orvane::tools {

const std::array<std::string, 4>& ServoSettings::CommandKeys() {
    static const std::array<std::string, 4> keys = {
        host::Pl("Komenda ustalająca pozycję serw w ms"), host::Pl("Komenda ustalająca pozycję serw w stopniach"),
        host::Pl("Komenda odczytująca pozycję serw w ms"), host::Pl("Komenda odczytująca pozycję serw w stopniach")};
    return keys;
}

std::string ServoSettings::CommandName(const host::SettingsStore& settings, Command command) {
    return settings.ReadString(CommandKeys()[command], kDefaultCommands[command]);
}

}  // namespace orvane::tools
