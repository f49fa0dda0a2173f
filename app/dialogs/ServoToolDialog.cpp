// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/ServoToolDialog.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace orvane::app::dialogs {

ServoToolDialog::ServoToolDialog(QWidget* parent)
    : QDialog(parent),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      end_(new QPushButton(QStringLiteral("Koniec"), this)) {
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] { Request(true); });
    connect(end_, &QPushButton::clicked, this, [this] { Request(false); });
}

QHBoxLayout* ServoToolDialog::ButtonRow() {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok_);
    row->addWidget(end_);
    return row;
}

void ServoToolDialog::Begin() {
    ok_->setEnabled(true);
    end_->setEnabled(true);
}

void ServoToolDialog::Request(bool ok) {
    // One request per showing: its answer closes the dialog.
    ok_->setEnabled(false);
    end_->setEnabled(false);
    BeforeRequest();
    if (ok) emit okClicked();
    else emit endClicked();
}

void ServoToolDialog::reject() {
    if (end_->isEnabled()) Request(false);
}

void ServoToolDialog::Finish(bool confirmed) { done(confirmed ? QDialog::Accepted : QDialog::Rejected); }

}  // namespace orvane::app::dialogs
