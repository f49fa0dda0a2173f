#include "app/host/QtProgress.h"

#include <QProgressDialog>

namespace orvane::app::host {

QtProgress::~QtProgress() { delete dialog_.data(); }

void QtProgress::Begin(int rangeMax) {
    if (!dialog_) {
        dialog_ = new QProgressDialog(parent_);
        dialog_->setWindowTitle(QStringLiteral("ORVANE"));
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setCancelButton(nullptr);  // the operations stop only where it is safe
        dialog_->setMinimumDuration(0);
        dialog_->setAutoReset(false);
        dialog_->setAutoClose(false);
    }
    dialog_->setRange(0, rangeMax);
    dialog_->setValue(0);
    dialog_->show();
}

void QtProgress::SetPosition(int position) {
    if (dialog_) dialog_->setValue(position);
}

void QtProgress::End() {
    if (dialog_) dialog_->hide();
}

}  // namespace orvane::app::host
