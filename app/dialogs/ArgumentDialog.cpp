// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/ArgumentDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/NumberField.h"
#include "app/dialogs/UiText.h"
#include "core/commands/IniFile.h"

namespace orvane::app::dialogs {

ArgumentDialog::ArgumentDialog(QWidget* parent)
    : QDialog(parent),
      size_(new QComboBox(this)),
      multiplier_(NumberField(this)),
      divisor_(NumberField(this)),
      constant_(NumberField(this)),
      description_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("argumentDialog"));
    setWindowTitle(QStringLiteral("Argument"));
    size_->addItems({QStringLiteral("1 Bajt"), QStringLiteral("2 Bajty")});
    description_->setMaxLength(static_cast<int>(orvane::commands::IniFile::kValueLimit));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Rozmiar:"), size_);
    form->addRow(Pl("Mnożnik:"), multiplier_);
    form->addRow(QStringLiteral("Dzielnik:"), divisor_);
    form->addRow(Pl("Stała"), constant_);
    form->addRow(QStringLiteral("Opis"), description_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(340);
}

void ArgumentDialog::SetFields(const tools::ArgumentFields& fields) {
    size_->setCurrentIndex(fields.sizeIndex);
    multiplier_->setText(FromCp1250(fields.multiplier));
    divisor_->setText(FromCp1250(fields.divisor));
    constant_->setText(FromCp1250(fields.constant));
    description_->setText(FromCp1250(fields.description));
}

tools::ArgumentFields ArgumentDialog::Fields() const {
    return {size_->currentIndex(), ToCp1250(multiplier_->text()), ToCp1250(divisor_->text()), ToCp1250(constant_->text()),
            ToCp1250(description_->text())};
}

std::optional<tools::ArgumentFields> ArgumentDialog::Edit(const tools::ArgumentFields& fields) {
    SetFields(fields);
    size_->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return Fields();
}

}  // namespace orvane::app::dialogs
