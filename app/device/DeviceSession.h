// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <map>

#include "app/device/BreakableClock.h"
#include "app/device/BreakablePortOpener.h"
#include "app/host/QtProgress.h"
#include "app/host/QtTimers.h"
#include "app/host/ThreadFileChooser.h"
#include "app/host/ThreadProgress.h"
#include "app/host/ThreadPrompts.h"
#include "app/host/WaitBreaker.h"
#include "app/device/RunSession.h"
#include "core/commands/CommandTable.h"
#include "core/device/DeviceLink.h"
#include "core/device/FlashOperations.h"
#include "core/device/SerialStack.h"
#include "core/host/PlatformFolders.h"
#include "core/host/SettingsStore.h"

namespace orvane::app::device {

// What the window's side of the controller needs from the window thread: its boxes, file
// dialogs and progress, an object living there to hand them to, and the breaker with which it
// cuts the device thread's waits short.
struct WindowHost {
    orvane::host::Prompts& prompts;
    orvane::host::FileChooser& files;
    host::QtProgress& progress;
    QObject* context;
    const host::WaitBreaker* breaker = nullptr;
};

// Everything that talks to the controller, created on the device thread and used only there:
// the serial port, the device link, the command table, the flash operations, the run and the
// timers of the state check and of the run. Its boxes, file dialogs and progress are proxies to
// the window thread; its clock and port give up their waits when the window's breaker fires.
class DeviceSession {
public:
    using TimerHandler = std::function<void()>;

    using Notify = std::function<void(const std::string& utf8)>;

    // `notify` puts a line in the window's status bar.
    DeviceSession(orvane::host::SettingsStore& settings, const orvane::host::PlatformFolders& folders,
                  const WindowHost& window, orvane::device::ModeObserver* observer, Notify notify = {});

    // The device steps of the window's start-up, in their order: the shared data folder, the
    // port and its speed, the command table, the first mode query and the state check.
    // False when the port did not open (its box has been shown).
    bool StartUp();
    // The command table from "Plik komend" (a first run copies the shipped file).
    void LoadCommands();
    // A timer id the link does not handle (the run's 1141 and 1138) goes to this handler.
    void SetTimerHandler(int id, TimerHandler handler);
    // While a dialog has the link, its timers come first (true: the tick was the dialog's).
    void SetLoanTimerHandler(std::function<bool(int id)> handler) { loanTimers_ = std::move(handler); }

    orvane::device::DeviceLink& Link() { return stack_.Link(); }
    orvane::device::CSerialCtrl& Serial() { return stack_.Serial(); }
    orvane::commands::CommandTable& Commands() { return commands_; }
    orvane::device::FlashOperations& Flash() { return flash_; }
    RunSession& Run() { return run_; }
    orvane::host::SettingsStore& Settings() { return settings_; }
    orvane::host::Prompts& Prompts() { return prompts_; }
    orvane::host::FileChooser& Files() { return files_; }
    orvane::host::Progress& Progress() { return progress_; }
    orvane::host::Clock& Clock() { return clock_; }
    orvane::host::Timers& Timers() { return timers_; }
    const orvane::host::PlatformFolders& Folders() const { return folders_; }

private:
    void OnTimer(int id);

    orvane::host::SettingsStore& settings_;
    orvane::host::PlatformFolders folders_;
    host::WaitBreaker unbroken_;  // stands in when the window gave no breaker
    host::ThreadPrompts prompts_;
    host::ThreadFileChooser files_;
    host::ThreadProgress progress_;
    host::QtTimers timers_;
    BreakableClock clock_;
    BreakablePortOpener opener_;
    orvane::device::SerialStack stack_;
    orvane::commands::CommandTable commands_;
    orvane::device::FlashOperations flash_;
    RunSession run_;
    std::map<int, TimerHandler> timerHandlers_;
    std::function<bool(int id)> loanTimers_;
    Notify notify_;
};

}  // namespace orvane::app::device
