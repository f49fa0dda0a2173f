// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/DeviceDialogs.h"

#include "app/dialogs/CompileParamsDialog.h"
#include "app/dialogs/ControlDialog.h"
#include "app/dialogs/DeviceParamsDialog.h"
#include "app/dialogs/DialogText.h"
#include "app/dialogs/Rs232Dialog.h"
#include "app/dialogs/SettingsDialog.h"
#include "app/dialogs/SimulatorLauncher.h"
#include "app/host/GuiCall.h"
#include "app/window/CommandBoard.h"
#include "core/device/ComPortMap.h"
#include "core/tools/OptionsMenu.h"
#include "core/host/SettingKeys.h"

namespace orvane::app::dialogs {

using window::CommandId;

DeviceDialogs::DeviceDialogs(const Parts& parts)
    : QObject(parts.parent),
      parts_(parts),
      simulator_(std::make_unique<SimulatorLauncher>(QString::fromStdString(parts.folders.allUsersFolder))),
      rs232_(new Rs232Dialog(parts.device, parts.settings, *simulator_, parts.parent)),
      settings_(new SettingsDialog(parts.settings, parts.folders.allUsersFolder + "Komendy.ini", parts.parent)),
      deviceParams_(new DeviceParamsDialog(parts.device, parts.parent)),
      compileParams_(new CompileParamsDialog(parts.settings, parts.folders.programFolder, parts.parent)),
      control_(new ControlDialog(parts.device, parts.settings, parts.parent)) {
    StartSimulatorIfChosen();
    ConnectCommands();
}

DeviceDialogs::~DeviceDialogs() = default;

// A dialog the device thread asks for once the window has begun to close is not shown: it would
// come up over a window that is gone and hold the closing until someone answers it.
template <typename Show>
void DeviceDialogs::OnWindow(Show&& show) {
    host::CallOnThreadOf(this, [this, &show] {
        if (!parts_.device.ShuttingDown()) show();
    });
}

void DeviceDialogs::StartSimulatorIfChosen() {
    const orvane::host::SettingsStore& settings = parts_.settings;
    const int com = settings.Read(orvane::host::SettingKeys::kCom);
    const std::string device = settings.ReadString(orvane::device::ComPortMap::OverrideKey(com), "");
    if (!device.empty() && FromCp1250(device) == simulator_->LinkPath()) simulator_->EnsureRunning();
}

void DeviceDialogs::ConnectCommands() {
    device::DeviceThread& device = parts_.device;
    window::CommandBoard& commands = parts_.commands;
    commands.SetHandler(CommandId::OptionsRs232, [this] { rs232_->Open(); });
    commands.SetHandler(CommandId::OptionsSettings, [this, &device] {
        device.Post([this](device::DeviceSession& session) {
            tools::OptionsMenu::Settings(
                session.Link(), session.Commands(),
                [this, &session](const std::string& names) {
                    bool ok = false;
                    OnWindow([&] { ok = settings_->Run(names, session.Commands()); });
                    return ok;
                },
                [&session] { session.LoadCommands(); });
        });
    });
    commands.SetHandler(CommandId::OptionsDeviceParameters, [this] { deviceParams_->Open(); });
    commands.SetHandler(CommandId::OptionsCompileParameters, [this, &device] {
        device.Post([this](device::DeviceSession& session) {
            tools::OptionsMenu::WithStateCheckStopped(session.Link(), [this] { OnWindow([this] { compileParams_->Run(); }); });
        });
    });
    const auto lend = [](device::DeviceSession& session) -> std::optional<orvane::device::PortLoan> {
        return session.Link().Lend(orvane::device::LoanEnd::ResetRs232);
    };
    commands.SetHandler(CommandId::ControlByRs, [this, lend] { control_->Open(lend); });
    // Program + CTRL switches the mode first, shows the same dialog only once in Program, and
    // after it brings the controller back to System.
    commands.SetHandler(CommandId::ModeProgramCtrl, [this, lend] {
        control_->Open(
            [lend](device::DeviceSession& session) -> std::optional<orvane::device::PortLoan> {
                session.Link().SwitchToProgram();
                if (!session.Link().IsMode(orvane::device::DeviceMode::Program)) return std::nullopt;
                return lend(session);
            },
            [](device::DeviceSession& session) { session.Link().SwitchToSystem(); });
    });
}

}  // namespace orvane::app::dialogs
