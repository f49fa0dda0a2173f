// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <memory>

#include <QDialog>

#include "app/device/LinkLoan.h"
#include "app/host/QtFileChooser.h"
#include "app/host/QtPrompts.h"
#include "app/host/ThreadPrompts.h"
#include "core/tools/DeviceConsole.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace orvane::app::dialogs {

// "Sterowanie zaprogramowanego urządzenia": the PC's end of a conversation with a user program
// in the controller, on the link the window lends it. Every byte goes out and comes in on the
// device thread; the received line can show decimal or hexadecimal, and the whole
// conversation can be saved to a file.
class ControlDialog : public QDialog {
    Q_OBJECT
public:
    ControlDialog(device::DeviceThread& device, orvane::host::SettingsStore& settings, QWidget* parent = nullptr);
    ~ControlDialog() override;

    // Borrows the link (`lend` on the device thread: Program + CTRL switches the mode first)
    // and shows window-modal on it until "Koniec", which closes the dialog's port; then the
    // window takes the link back and runs `afterwards` on the device thread. Enter never ends
    // the dialog, so it is shown once: nothing to insert.
    void Open(device::LinkLoan::Lend lend, device::LinkLoan::Work afterwards = {});
    // Opens the port and shows the stored values (what Open shows first).
    void Prepare(const orvane::device::PortLoan& loan);
    void Present(const tools::ConsoleView& view);
    // Whether an exchange is under way.
    bool IsBusy() const { return loan_->IsBusy(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void BuildControls();
    tools::ConsoleValues Values() const;
    // Runs `action` on the device thread with the controls' values and shows the result.
    void Act(std::function<tools::ConsoleView(tools::DeviceConsole&, const tools::ConsoleValues&)> action);
    void Slide(int action);
    void ShowReceived(const QString& text);
    void SaveConversation();
    void WriteConversation(const std::string& text);
    void End();

    orvane::host::SettingsStore& settings_;
    host::QtPrompts prompts_;
    host::QtFileChooser files_;
    host::ThreadPrompts threadPrompts_;  // the console's boxes, asked from the device thread
    device::LinkLoan* loan_;
    device::LinkLoan::Work afterwards_;
    std::unique_ptr<tools::DeviceConsole> console_;  // used on the device thread only
    bool ending_ = false;

    QLabel* received_ = nullptr;
    QLineEdit* min_ = nullptr;
    QLineEdit* max_ = nullptr;
    QScrollBar* slider_ = nullptr;
    QLineEdit* number_ = nullptr;
    QPushButton* start_ = nullptr;
    QLineEdit* value_ = nullptr;
    QPushButton* send_ = nullptr;
    QLineEdit* period_ = nullptr;
    QCheckBox* hex_ = nullptr;
    QPushButton* end_ = nullptr;
};

}  // namespace orvane::app::dialogs
