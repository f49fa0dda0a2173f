#include "app/dialogs/DeviceDialogs.h"

#include "app/dialogs/CompileParamsDialog.h"
#include "app/dialogs/ControlDialog.h"
#include "app/dialogs/DeviceParamsDialog.h"
#include "app/dialogs/DialogText.h"
#include "app/dialogs/Rs232Dialog.h"
#include "app/dialogs/SettingsDialog.h"
#include "app/dialogs/SimulatorLauncher.h"
#include "app/host/GuiCall.h"
#include "app/shell/MainWindow.h"
#include "core/device/ComPortMap.h"
#include "core/tools/OptionsMenu.h"

namespace orvane::app::dialogs {

using shell::CommandId;

DeviceDialogs::DeviceDialogs(shell::MainWindow& window)
    : QObject(&window),
      window_(window),
      simulator_(std::make_unique<SimulatorLauncher>(QString::fromStdString(window.Folders().allUsersFolder))),
      rs232_(new Rs232Dialog(window.Settings(), *simulator_, &window)),
      settings_(new SettingsDialog(window.Settings(), window.Folders().allUsersFolder + "Komendy.ini", &window)),
      deviceParams_(new DeviceParamsDialog(&window)),
      compileParams_(new CompileParamsDialog(window.Settings(), window.Folders().programFolder, &window)),
      control_(new ControlDialog(window.Settings(), &window)) {
    StartSimulatorIfChosen();
    ConnectCommands();
}

DeviceDialogs::~DeviceDialogs() = default;

template <typename Show>
void DeviceDialogs::OnWindow(Show&& show) {
    host::CallOnThreadOf(&window_, std::forward<Show>(show));
}

void DeviceDialogs::StartSimulatorIfChosen() {
    const orvane::host::SettingsStore& settings = window_.Settings();
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
    device::DeviceThread& device = window_.Device();
    window_.SetHandler(CommandId::OptionsRs232, [this, &device] {
        device.Post([this](device::DeviceSession& session) {
            tools::OptionsMenu::Rs232(session.Link(), [this] { OnWindow([this] { rs232_->Run(); }); });
        });
    });
    window_.SetHandler(CommandId::OptionsSettings, [this, &device] {
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
    window_.SetHandler(CommandId::OptionsDeviceParameters, [this, &device] {
        device.Post([this](device::DeviceSession& session) {
            session.Link().EditDeviceParameters([this](orvane::device::DeviceParams& params) {
                bool ok = false;
                OnWindow([&] { ok = deviceParams_->Run(params); });
                return ok;
            });
        });
    });
    window_.SetHandler(CommandId::OptionsCompileParameters, [this, &device] {
        device.Post([this](device::DeviceSession& session) {
            tools::OptionsMenu::WithStateCheckStopped(session.Link(), [this] { OnWindow([this] { compileParams_->Run(); }); });
        });
    });
    window_.SetHandler(CommandId::ControlByRs, [this, &device] { device.LendPort(ControlOnLentPort()); });
    window_.SetControlDialog(ControlOnLentPort());
}

}  // namespace orvane::app::dialogs
