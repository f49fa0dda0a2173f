// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "core/commands/CommandTable.h"
#include "core/device/DeviceLink.h"

namespace orvane::tools {

// The window's Opcje commands that wrap a dialog in device steps: the dialog itself is a
// callback, so the window shows it on its own thread while these run beside the controller.
class OptionsMenu {
public:
    // "&RS232": the controller is brought into BootLoader mode (the RS232 requests are the boot
    // loader's), asked about when that fails, and the link is lent to the dialog, to be started
    // again by TakeBack from the settings the dialog may have changed. Nothing when the user
    // did not go on.
    static std::optional<device::PortLoan> LendForRs232(device::DeviceLink& link);

    // "&Ustawienia": the dialog gets every loaded command name followed by ";" (newest first,
    // the table's order); after OK the command table is loaded again (`reload`), since the
    // file's path may have changed. The state check restarts either way, with the intervals
    // the dialog may have stored.
    static void Settings(device::DeviceLink& link, const commands::CommandTable& table,
                         const std::function<bool(const std::string& names)>& dialog,
                         const std::function<void()>& reload);

    // "Parametry kompila&cji" and the like: the state check rests while the dialog is open.
    static void WithStateCheckStopped(device::DeviceLink& link, const std::function<void()>& dialog);

    // The names list of the settings dialog.
    static std::string CommandNames(const commands::CommandTable& table);
};

}  // namespace orvane::tools
