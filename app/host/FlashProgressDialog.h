// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

#include "app/host/FlashSteps.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace orvane::app::host {

// The progress of a flash operation: its title, the step it is at, a bar and the pages or bytes
// done, with Cancel offered only while the operation can stop without harm. Closing the window
// asks to cancel like the button; where the operation cannot stop it is simply ignored.
class FlashProgressDialog : public QDialog {
    Q_OBJECT
public:
    explicit FlashProgressDialog(QWidget* parent);

    void Start(int range, const FlashSteps::Text& text);
    void Show(int position, const FlashSteps::Text& text);
    void SetCancellable(bool cancellable);
    // The Cancel came too late: the operation goes on, and the dialog says at what again.
    void Resume();
    bool Cancellable() const { return cancellable_; }
    int Position() const;

signals:
    void cancelRequested();

protected:
    void reject() override;

private:
    void ShowText(const FlashSteps::Text& text);

    QLabel* title_;
    QLabel* step_;
    QProgressBar* bar_;
    QLabel* count_;
    QPushButton* cancel_;
    QString stepText_;
    bool cancellable_ = false;
    bool cancelling_ = false;
};

}  // namespace orvane::app::host
