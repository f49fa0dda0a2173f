// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/host/FlashProgressDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane::app::host {

FlashProgressDialog::FlashProgressDialog(QWidget* parent)
    : QDialog(parent),
      title_(new QLabel(this)),
      step_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      count_(new QLabel(this)) {
    setObjectName(QStringLiteral("flashProgress"));
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(420);
    QFont heading = title_->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.15);
    title_->setFont(heading);
    bar_->setTextVisible(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    cancel_ = buttons->button(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::rejected, this, &FlashProgressDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(step_);
    layout->addWidget(bar_);
    layout->addWidget(count_);
    layout->addWidget(buttons);
    SetCancellable(false);
}

void FlashProgressDialog::Start(int range, const FlashSteps::Text& text) {
    bar_->setRange(0, range);
    bar_->setValue(0);
    cancelling_ = false;
    ShowText(text);
}

void FlashProgressDialog::Show(int position, const FlashSteps::Text& text) {
    bar_->setValue(std::min(position, bar_->maximum()));
    ShowText(text);
}

int FlashProgressDialog::Position() const { return bar_->value(); }

void FlashProgressDialog::SetCancellable(bool cancellable) {
    cancellable_ = cancellable;
    cancel_->setEnabled(cancellable && !cancelling_);
    cancel_->setToolTip(cancellable ? QString()
                                    : QStringLiteral("Tego etapu nie można bezpiecznie przerwać"));
}

void FlashProgressDialog::Resume() {
    cancelling_ = false;
    step_->setText(stepText_);
    SetCancellable(cancellable_);
}

// Only what changed is set again: each change of a label's text lays the dialog out anew.
void FlashProgressDialog::ShowText(const FlashSteps::Text& text) {
    const auto set = [](QLabel* label, const QString& value) {
        if (label->text() != value) label->setText(value);
    };
    const QString title = QString::fromStdString(text.title);
    if (windowTitle() != title) setWindowTitle(title);
    set(title_, title);
    stepText_ = QString::fromStdString(text.step);
    set(step_, cancelling_ ? QStringLiteral("Przerywanie…") : stepText_);
    set(count_, QString::fromStdString(text.count));
    count_->setVisible(!text.count.empty());
}

// Esc, the title bar's close and Cancel all come here.
void FlashProgressDialog::reject() {
    if (!cancellable_ || cancelling_) return;
    cancelling_ = true;
    cancel_->setEnabled(false);
    step_->setText(QStringLiteral("Przerywanie…"));
    emit cancelRequested();
}

}  // namespace orvane::app::host
