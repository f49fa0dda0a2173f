// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdio>
#include <string>

#include "cli/CliFileChooser.h"
#include "cli/CliOptions.h"
#include "cli/CliTimers.h"
#include "cli/ModePrinter.h"
#include "cli/TerminalProgress.h"
#include "cli/TerminalPrompts.h"
#include "core/commands/CommandTable.h"
#include "core/device/DeviceLink.h"
#include "core/device/FlashOperations.h"
#include "core/device/SerialStack.h"
#include "core/host/PlatformFolders.h"
#include "core/platform/SteadyClock.h"
#include "settings/OverlaySettings.h"
#include "settings/QtSettingsStore.h"

namespace orvane::cli {

// Everything one run of orvane-cli works with: the shared settings under the command line's
// overrides, the terminal's boxes, progress bar and file answers, the serial port and the
// device link the window application would own, and the flash operations on top of it.
class CliSession {
public:
    CliSession(const CliOptions& options, std::FILE* out, std::FILE* err, std::FILE* in);

    // The port start sequence of start-up and the first mode query, once per run. False, after
    // the box and the reason, when the port cannot be opened.
    bool Connect();
    // The port start sequence alone (no mode query): false, after the box and the reason, when
    // the port cannot be opened.
    bool OpenPort();
    // Whether the window would offer a command in the current mode; prints why not.
    bool Allowed(bool allowed, const char* command);
    // Says so when a setting of this run could not be saved in the shared file.
    void ReportUnsavedSettings();
    // The command definitions: the --commands file for this call alone (the stored "Plik
    // komend" untouched), else the stored one. False, said on standard error, when there is no
    // file to read: a run or compile with an empty table would fail at every command.
    bool LoadCommands(commands::CommandTable& table);
    // "orvane-cli: <message>" on standard error (UTF-8).
    void Error(const std::string& message);

    const CliOptions& Options() const { return options_; }
    host::SettingsStore& Settings() { return settings_; }
    TerminalPrompts& Prompts() { return prompts_; }
    CliFileChooser& Files() { return files_; }
    host::Progress& Progress() { return progress_; }
    host::Clock& Clock() { return clock_; }
    const host::PlatformFolders& Folders() const { return folders_; }
    device::CSerialCtrl& Serial() { return stack_.Serial(); }
    device::DeviceLink& Link() { return stack_.Link(); }
    device::FlashOperations& Flash() { return flash_; }
    std::FILE* Out() { return out_; }
    std::FILE* Err() { return err_; }
    std::FILE* In() { return in_; }

private:
    void ApplyOverrides();

    const CliOptions& options_;
    std::FILE* out_;
    std::FILE* err_;
    std::FILE* in_;
    settings::QtSettingsStore file_;
    settings::OverlaySettings settings_{file_};
    TerminalPrompts prompts_;
    TerminalProgress progress_;
    CliFileChooser files_;
    CliTimers timers_;
    ModePrinter modes_;
    platform::SteadyClock clock_;
    host::PlatformFolders folders_;
    device::SerialStack stack_{settings_, clock_, prompts_, timers_, &modes_};
    device::FlashOperations flash_{stack_.Link(), files_, progress_, folders_.userFolder};
    bool connected_ = false;
    bool portOpen_ = false;
};

}  // namespace orvane::cli
