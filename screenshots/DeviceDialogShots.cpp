// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>

#include "app/dialogs/CompileParamsDialog.h"
#include "app/dialogs/ControlDialog.h"
#include "app/dialogs/DeviceParamsDialog.h"
#include "app/host/EventSpin.h"
#include "app/dialogs/Rs232Dialog.h"
#include "app/dialogs/SettingsDialog.h"
#include "app/dialogs/SimulatorLauncher.h"
#include "app/shell/MainWindow.h"
#include "core/commands/CommandFile.h"
#include "core/tools/OptionsMenu.h"
#include "core/tools/ReceivedLine.h"
#include "screenshots/Screenshot.h"

namespace orvane::screenshots {

namespace {

void Settle(const std::function<bool()>& done) { app::host::SpinUntil(done, 5000); }

template <typename Dialog>
Dialog* Shown(Dialog* dialog) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return dialog;
}

// The RS232 dialog on the port the window released, as its RS232 command releases it (after
// bringing the controller into BootLoader mode, when `toBootLoader`).
app::dialogs::Rs232Dialog* Rs232OnReleasedPort(ShotContext& shot, bool toBootLoader) {
    static app::dialogs::SimulatorLauncher simulator(QString::fromStdString(shot.window.Folders().allUsersFolder));
    shot.window.Device().Post([toBootLoader](app::device::DeviceSession& session) {
        if (toBootLoader) session.Link().SwitchToBootLoader();
        session.Link().StopStateCheck();
        session.Serial().ClosePort(session.Link().PortIndex());
    });
    Settle([&shot] { return !shot.window.Device().IsBusy(); });
    auto* dialog = Shown(new app::dialogs::Rs232Dialog(shot.window.Device(), shot.window.Settings(), simulator, &shot.window));
    dialog->ShowStored();
    Settle([dialog] { return !dialog->IsBusy(); });
    return dialog;
}

// The speed changed with "Zmień" on the virtual controller: the dialog warns until OK.
const Screenshot::Registrar kRs232("rs232-dialog", [](ShotContext& shot) -> QWidget* {
    app::dialogs::Rs232Dialog* dialog = Rs232OnReleasedPort(shot, true);
    auto* baud = dialog->findChild<QComboBox*>(QStringLiteral("baudRate"));
    baud->setCurrentIndex(baud->findText(QStringLiteral("230,4k")));
    emit baud->activated(baud->currentIndex());
    Settle([dialog] { return !dialog->IsBusy(); });
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("Zmień")) button->click();
    }
    Settle([dialog] { return !dialog->IsBusy(); });
    return dialog;
});

// Identification waiting for an answer at the first speed; the window keeps painting.
const Screenshot::Registrar kIdentify("rs232-identify", [](ShotContext& shot) -> QWidget* {
    app::dialogs::Rs232Dialog* dialog = Rs232OnReleasedPort(shot, false);
    dialog->Identify();
    QProgressDialog* progress = nullptr;
    Settle([&] { return (progress = dialog->findChild<QProgressDialog*>()) != nullptr &&
                        progress->labelText().contains(QStringLiteral("4800")); });
    return progress;
});

const Screenshot::Registrar kSettings("settings-dialog", [](ShotContext& shot) -> QWidget* {
    const orvane::host::PlatformFolders& folders = shot.window.Folders();
    commands::CommandTable table;
    commands::CommandFile::ReadFile(folders.programFolder + "Komendy.ini", table, nullptr);
    auto* dialog = Shown(new app::dialogs::SettingsDialog(shot.window.Settings(), folders.allUsersFolder + "Komendy.ini",
                                                     &shot.window));
    dialog->Prepare(tools::OptionsMenu::CommandNames(table), table);
    return dialog;
});

const Screenshot::Registrar kDeviceParams("device-params-dialog", [](ShotContext& shot) -> QWidget* {
    auto* dialog = Shown(new app::dialogs::DeviceParamsDialog(shot.window.Device(), &shot.window));
    dialog->Present({true, true});
    return dialog;
});

const Screenshot::Registrar kCompileParams("compile-params-dialog", [](ShotContext& shot) -> QWidget* {
    auto* dialog = Shown(new app::dialogs::CompileParamsDialog(shot.window.Settings(), shot.window.Folders().programFolder,
                                                          &shot.window));
    dialog->Prepare();
    return dialog;
});

// A conversation under way: the user program answered a start, two slider moves and a value.
const Screenshot::Registrar kControl("control-dialog", [](ShotContext& shot) -> QWidget* {
    auto* dialog = Shown(new app::dialogs::ControlDialog(shot.window.Device(), shot.window.Settings(), &shot.window));
    dialog->Prepare({orvane::device::CSerialCtrl::kSlots - 1, 115200});
    Settle([dialog] { return !dialog->IsBusy(); });
    tools::ReceivedLine line;
    for (const auto& bytes : std::vector<std::vector<std::uint8_t>>{{254}, {}, {120, 121}, {3, 232}, {}}) line.Refresh(bytes);
    tools::ConsoleView view;
    view.values = {"0", "250", "255", "1000", "1s", 121, true};
    view.rangeMax = 250;
    view.limitsEnabled = false;
    view.startText = "Stop";
    view.received = line.Text(false);
    dialog->Present(view);
    return dialog;
});

}  // namespace

}  // namespace orvane::screenshots
