// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

#include <QObject>

#include "app/device/DeviceThread.h"

class QWidget;

namespace orvane::app::window { class CommandBoard; }

namespace orvane::app::dialogs {

class CompileParamsDialog;
class ControlDialog;
class DeviceParamsDialog;
class Rs232Dialog;
class SettingsDialog;
class SimulatorLauncher;

// The window's device and settings dialogs, wired to their menu commands: each command runs its
// device steps on the device thread, which shows the dialog on the window thread and waits for
// it, so the state check, the port hand-over and the reopening keep their order while the
// window keeps painting. Lives as long as the window.
class DeviceDialogs : public QObject {
    Q_OBJECT
public:
    // What the dialogs need of the window: the commands they carry out, the device thread that
    // runs their device steps, the settings and folders they edit; they open over `parent`.
    struct Parts {
        window::CommandBoard& commands;
        device::DeviceThread& device;
        orvane::host::SettingsStore& settings;
        const orvane::host::PlatformFolders& folders;
        QWidget* parent;
    };

    explicit DeviceDialogs(const Parts& parts);
    ~DeviceDialogs() override;

    Rs232Dialog& Rs232() { return *rs232_; }
    SettingsDialog& Settings() { return *settings_; }
    DeviceParamsDialog& DeviceParams() { return *deviceParams_; }
    CompileParamsDialog& CompileParams() { return *compileParams_; }
    ControlDialog& Control() { return *control_; }
    SimulatorLauncher& Simulator() { return *simulator_; }

private:
    void ConnectCommands();
    // Runs `show` on the window thread and waits for it (called on the device thread).
    template <typename Show>
    void OnWindow(Show&& show);
    // A COM device that is the virtual controller's link gets the controller started with the window.
    void StartSimulatorIfChosen();

    Parts parts_;
    std::unique_ptr<SimulatorLauncher> simulator_;
    Rs232Dialog* rs232_;
    SettingsDialog* settings_;
    DeviceParamsDialog* deviceParams_;
    CompileParamsDialog* compileParams_;
    ControlDialog* control_;
};

}  // namespace orvane::app::dialogs
