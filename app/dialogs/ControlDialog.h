#pragma once
#include <functional>
#include <memory>

#include <QDialog>

#include "app/dialogs/DialogPort.h"
#include "app/host/QtFileChooser.h"
#include "app/host/QtPrompts.h"
#include "core/tools/DeviceConsole.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace orvane::app::dialogs {

// "Sterowanie zaprogramowanego urządzenia": the PC's end of a conversation with a user program
// in the controller, on the port the window lends it. Every byte goes out and comes in on the
// dialog's own port thread; the received line can show decimal or hexadecimal, and the whole
// conversation can be saved to a file.
class ControlDialog : public QDialog {
    Q_OBJECT
public:
    explicit ControlDialog(orvane::host::SettingsStore& settings, QWidget* parent = nullptr);
    ~ControlDialog() override;

    // Shows on the lent port until "Koniec" (which closes the port before it returns). Enter
    // never ends the dialog, so the result is always false: nothing to insert, not shown again.
    bool Run(const orvane::device::PortLoan& loan);
    // Opens the port and shows the stored values without running (what Run shows first).
    void Prepare(const orvane::device::PortLoan& loan);
    void Present(const tools::ConsoleView& view);
    // Waits (handling events) until the port thread has done what was posted.
    void Settle();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void BuildControls();
    tools::ConsoleValues Values() const;
    // Runs `action` on the port thread with the controls' values and shows the result.
    void Act(std::function<tools::ConsoleView(tools::DeviceConsole&, const tools::ConsoleValues&)> action);
    void Slide(int action);
    void ShowReceived(const QString& text);
    void SaveConversation();
    void WriteConversation(const std::string& text);
    void End();

    orvane::host::SettingsStore& settings_;
    host::QtPrompts prompts_;
    host::QtFileChooser files_;
    DialogPort* port_;
    std::unique_ptr<tools::DeviceConsole> console_;  // used on the port thread only
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
