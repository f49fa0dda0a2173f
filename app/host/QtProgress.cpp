// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/host/QtProgress.h"

#include "app/host/FlashProgressDialog.h"

namespace orvane::app::host {

QtProgress::~QtProgress() { delete dialog_.data(); }

void QtProgress::Begin(int rangeMax) {
    if (!dialog_) {
        dialog_ = new host::FlashProgressDialog(parent_);
        QObject::connect(dialog_, &host::FlashProgressDialog::cancelRequested, [this] {
            // Refused when the operation has just passed the point where it could stop.
            if (!offer_.Request()) dialog_->Resume();
        });
    }
    steps_.Begin(rangeMax);
    dialog_->Start(rangeMax, steps_.Describe(0));
    dialog_->show();
}

void QtProgress::SetPosition(int position) {
    if (dialog_) dialog_->Show(position, steps_.Describe(position));
}

void QtProgress::End() {
    if (dialog_) dialog_->hide();
}

void QtProgress::SetCancellable(bool cancellable) {
    if (dialog_) dialog_->SetCancellable(cancellable);
}

}  // namespace orvane::app::host
