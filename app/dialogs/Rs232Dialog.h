// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <atomic>
#include <memory>

#include <QDialog>
#include <QPointer>
#include <QProgressDialog>

#include "app/device/BreakablePortOpener.h"
#include "app/device/LinkLoan.h"
#include "app/host/QtPrompts.h"
#include "app/host/ThreadPrompts.h"
#include "core/tools/Rs232Setup.h"
#include "core/tools/StagedSettings.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvane::app::dialogs {

class SimulatorLauncher;

// "Ustawienia portu i komunikacji RS232": the speed and the COM number, the device that COM
// number stands for (the serial devices present, or the virtual controller), "Sprawdź",
// "Identyfikuj" and "Zmień". Every exchange runs on the device thread with the link lent, on a
// port object of the dialog's own (it tries COM numbers and devices not stored yet); the dialog
// stays responsive meanwhile, and identification shows the speed being tried with a Cancel.
class Rs232Dialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kVirtualEntry = "Sterownik wirtualny (orvane-sim)";

    Rs232Dialog(device::DeviceThread& device, orvane::host::SettingsStore& settings, SimulatorLauncher& simulator,
                QWidget* parent = nullptr);
    ~Rs232Dialog() override;

    // Borrows the link (after bringing the controller into BootLoader), opens window-modal with
    // the stored values and tests the speed at once; after OK or Anuluj the window starts its
    // port again from the settings.
    void Open();
    // Shows the stored values without touching the port (what Run shows before its test).
    void ShowStored();
    // Shows a view of the logic as it is.
    void Present(const tools::Rs232View& view);

    // Whether an exchange is under way (the controls wait for it).
    bool IsBusy() const;
    // "Identyfikuj", as the button does it.
    void Identify();

protected:
    void reject() override;
    void done(int result) override;

private:
    void BuildControls();
    void ListDevices();
    tools::Rs232Values Values() const;
    // Made on the device thread on first use.
    tools::Rs232Setup& Setup(device::DeviceSession& session);
    // Runs `action` on the device thread; `status` shows meanwhile.
    void RunAction(const QString& status, std::function<tools::Rs232View(tools::Rs232Setup&)> action);
    void Test();
    void Change();
    void Accept();
    void Edited();
    void ComEdited();
    void DevicePicked(int index);
    void SetBusy(bool busy);

    tools::StagedSettings staged_;
    SimulatorLauncher& simulator_;
    host::QtPrompts prompts_;
    host::ThreadPrompts threadPrompts_;  // the logic's boxes, asked from the device thread
    device::DeviceThread& deviceThread_;
    device::LinkLoan* loan_;
    // The dialog's port object over the staged settings, so an edited device is tried at once;
    // used on the device thread only.
    std::unique_ptr<device::BreakablePortOpener> opener_;
    std::unique_ptr<orvane::device::CSerialCtrl> serial_;
    std::unique_ptr<tools::Rs232Setup> setup_;
    std::atomic<bool> cancelled_{false};
    bool closeWhenIdle_ = false;

    QComboBox* baud_ = nullptr;
    QLineEdit* com_ = nullptr;
    QComboBox* device_ = nullptr;
    QPushButton* test_ = nullptr;
    QPushButton* identify_ = nullptr;
    QPushButton* change_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* warning_ = nullptr;
    QLabel* status_ = nullptr;
    QPointer<QProgressDialog> progress_;
    bool changeEnabled_ = false;
};

}  // namespace orvane::app::dialogs
