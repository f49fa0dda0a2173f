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

namespace orvane::app::dialogs {

using window::CommandId;

DeviceDialogs::DeviceDialogs(const Parts& parts)
    : QObject(parts.parent),
      parts_(parts),
      simulator_(std::make_unique<SimulatorLauncher>(QString::fromStdString(parts.folders.allUsersFolder))),
      rs232_(new Rs232Dialog(parts.settings, *simulator_, parts.parent)),
      settings_(new SettingsDialog(parts.settings, parts.folders.allUsersFolder + "Komendy.ini", parts.parent)),
      deviceParams_(new DeviceParamsDialog(parts.parent)),
      compileParams_(new CompileParamsDialog(parts.settings, parts.folders.programFolder, parts.parent)),
      control_(new ControlDialog(parts.settings, parts.parent)) {
    StartSimulatorIfChosen();
    ConnectCommands();
}

DeviceDialogs::~DeviceDialogs() = default;

template <typename Show>
void DeviceDialogs::OnWindow(Show&& show) {
    host::CallOnThreadOf(this, std::forward<Show>(show));
}

void DeviceDialogs::StartSimulatorIfChosen() {
    const orvane::host::SettingsStore& settings = parts_.settings;
    const int com = settings.ReadInt("COM", 1);
    const std::string device = settings.ReadString(orvane::device::ComPortMap::OverrideKey(com), "");
    if (!device.empty() && Ui(device) == simulator_->LinkPath()) simulator_->EnsureRunning();
}

device::DeviceThread::DeviceDialog DeviceDialogs::ControlOnLentPort() {
    return [this](const orvane::device::PortLoan& loan) {
        bool again = false;
        OnWindow([&] { again = control_->Run(loan); });
        return again;
    };
}

void DeviceDialogs::ConnectCommands() {
    device::DeviceThread& device = parts_.device;
    window::CommandBoard& commands = parts_.commands;
    commands.SetHandler(CommandId::OptionsRs232, [this, &device] {
        device.Post([this](device::DeviceSession& session) {
            tools::OptionsMenu::Rs232(session.Link(), [this] { OnWindow([this] { rs232_->Run(); }); });
        });
    });
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
    commands.SetHandler(CommandId::OptionsDeviceParameters, [this, &device] {
        device.Post([this](device::DeviceSession& session) {
            session.Link().EditDeviceParameters([this](orvane::device::DeviceParams& params) {
                bool ok = false;
                OnWindow([&] { ok = deviceParams_->Run(params); });
                return ok;
            });
        });
    });
    commands.SetHandler(CommandId::OptionsCompileParameters, [this, &device] {
        device.Post([this](device::DeviceSession& session) {
            tools::OptionsMenu::WithStateCheckStopped(session.Link(), [this] { OnWindow([this] { compileParams_->Run(); }); });
        });
    });
    commands.SetHandler(CommandId::ControlByRs, [this, &device] { device.LendPort(ControlOnLentPort()); });
    // Program + CTRL switches the mode first, then shows the same dialog on the lent port.
    commands.SetHandler(CommandId::ModeProgramCtrl, [this, &device] {
        device.Post([dialog = ControlOnLentPort()](device::DeviceSession& session) {
            session.Link().ProgramAndCtrl(dialog);
        });
    });
}

}  // namespace orvane::app::dialogs
