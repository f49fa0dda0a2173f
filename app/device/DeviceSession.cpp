// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/device/DeviceSession.h"

#include <filesystem>

#include "core/commands/CommandFile.h"
#include "core/host/Cp1250.h"

namespace orvane::app::device {

DeviceSession::DeviceSession(orvane::host::SettingsStore& settings,
                             const orvane::host::PlatformFolders& folders, const WindowHost& window,
                             orvane::device::ModeObserver* observer, Notify notify)
    : settings_(settings),
      folders_(folders),
      prompts_(window.prompts, window.context, window.breaker),
      files_(window.files, window.context),
      progress_(window.progress, window.context),
      timers_([this](int id) { OnTimer(id); }),
      clock_(window.breaker != nullptr ? *window.breaker : unbroken_),
      opener_(settings_, window.breaker != nullptr ? *window.breaker : unbroken_),
      stack_(opener_, settings_, clock_, prompts_, timers_, observer),
      flash_(stack_.Link(), files_, progress_, folders_.userFolder),
      run_(stack_.Link(), commands_, timers_),
      notify_(std::move(notify)) {
    for (const int id : {orvane::script::Interpreter::kTimerRunTick, orvane::script::Interpreter::kTimerVariableList}) {
        SetTimerHandler(id, [this, id] { run_.OnTimer(id); });
    }
}

bool DeviceSession::StartUp() {
    // The shared data folder is where the user's copy of Komendy.ini lives; failing to create it
    // is not worth a box here: the command file's own dialog follows if it is missing.
    std::error_code ignored;
    std::filesystem::create_directories(folders_.allUsersFolder, ignored);
    const bool opened = Link().OpenPortAtStartUp();
    // The box says only that the port did not open; the reason (no such device, another program
    // holds it) goes to the status bar.
    if (!opened && notify_) notify_(orvane::host::Cp1250ToUtf8(Serial().LastOpenError()));
    LoadCommands();
    Link().QueryDeviceMode();
    Link().StartStateCheck();
    return opened;
}

void DeviceSession::LoadCommands() {
    orvane::commands::CommandFile::Load(commands_, settings_, files_, prompts_,
                                        orvane::commands::CommandFile::PrepareDefault(settings_, folders_));
}

void DeviceSession::SetTimerHandler(int id, TimerHandler handler) {
    timerHandlers_[id] = std::move(handler);
}

void DeviceSession::OnTimer(int id) {
    if (loanTimers_ && loanTimers_(id)) return;
    if (Link().OnTimer(id)) return;
    const auto it = timerHandlers_.find(id);
    if (it != timerHandlers_.end() && it->second) it->second();
}

}  // namespace orvane::app::device
