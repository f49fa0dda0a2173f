// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

class QHBoxLayout;
class QPushButton;

namespace orvane::app::dialogs {

// What the two servo dialogs share: "OK" and "Koniec" are requests to their tool on the device
// thread (sent once per showing), Esc and the title bar's close ask for "Koniec", and the
// dialog closes only when the tool's answer comes (Finish).
class ServoToolDialog : public QDialog {
    Q_OBJECT
public:
    explicit ServoToolDialog(QWidget* parent = nullptr);

    // A new showing: the buttons take requests again.
    void Begin();
    void Finish(bool confirmed);
    void reject() override;

    QPushButton* OkButton() const { return ok_; }
    QPushButton* EndButton() const { return end_; }

signals:
    void okClicked();
    void endClicked();

protected:
    // "OK" and "Koniec" at the right, for the subclass to put under its controls.
    QHBoxLayout* ButtonRow();
    // Called just before a request goes out, to hand over what is still being typed.
    virtual void BeforeRequest() {}

private:
    void Request(bool ok);

    QPushButton* ok_;
    QPushButton* end_;
};

}  // namespace orvane::app::dialogs
