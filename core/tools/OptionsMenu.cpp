// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/OptionsMenu.h"

#include "core/device/DeviceMode.h"
#include "core/host/Cp1250.h"

namespace orvane::tools {

using device::DeviceMode;

std::optional<device::PortLoan> OptionsMenu::LendForRs232(device::DeviceLink& link) {
    if (!link.IsMode(DeviceMode::BootLoader)) {
        if (link.IsMode(DeviceMode::Komendy)) link.SwitchToSystem();
        link.SwitchToBootLoader();
    }
    if (!link.IsMode(DeviceMode::BootLoader) &&
        !link.Prompts().AskYesNo(host::Pl("Błąd trybu BootLoader"),
                                 host::Pl("Błąd przejścia do trybu BootLoader\nCzy kontynuować?"))) {
        return std::nullopt;
    }
    return link.Lend(device::LoanEnd::Restart);
}

std::string OptionsMenu::CommandNames(const commands::CommandTable& table) {
    std::string names;
    for (const auto& command : table.NewestFirst()) names += command.name + ";";
    return names;
}

void OptionsMenu::Settings(device::DeviceLink& link, const commands::CommandTable& table,
                           const std::function<bool(const std::string& names)>& dialog,
                           const std::function<void()>& reload) {
    link.StopStateCheck();
    if (dialog(CommandNames(table))) reload();
    link.StartStateCheck();
}

void OptionsMenu::WithStateCheckStopped(device::DeviceLink& link, const std::function<void()>& dialog) {
    link.StopStateCheck();
    dialog();
    link.StartStateCheck();
}

}  // namespace orvane::tools
