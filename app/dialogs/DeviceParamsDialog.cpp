// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/DeviceParamsDialog.h"

#include <memory>
#include <optional>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/tools/DeviceParamsForm.h"

namespace orvane::app::dialogs {

DeviceParamsDialog::DeviceParamsDialog(device::DeviceThread& device, QWidget* parent)
    : QDialog(parent), prompts_(this), loan_(new device::LinkLoan(device, this)) {
    setObjectName(QStringLiteral("deviceParamsDialog"));
    setWindowModality(Qt::WindowModal);
    setWindowTitle(QStringLiteral("Parametry urządzenia"));
    runAtStart_ = new QCheckBox(QStringLiteral("Uruchamiaj pragram użytkownika na starcie"), this);
    runAtStart_->setObjectName(QStringLiteral("runAtStart"));
    startInKomendy_ = new QCheckBox(QStringLiteral("Rozpocznij pracę od trybu Komendy"), this);
    startInKomendy_->setObjectName(QStringLiteral("startInKomendy"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(runAtStart_);
    layout->addWidget(startInKomendy_);
    layout->addSpacing(8);
    layout->addWidget(buttons);

    connect(startInKomendy_, &QCheckBox::clicked, this, &DeviceParamsDialog::UpdateEnabling);
    connect(runAtStart_, &QCheckBox::clicked, this,
            [this] { tools::DeviceParamsForm::RunAtStartClicked(Params(), prompts_); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void DeviceParamsDialog::UpdateEnabling() {
    runAtStart_->setEnabled(tools::DeviceParamsForm::RunAtStartEnabled(Params()));
}

void DeviceParamsDialog::Present(const orvane::device::DeviceParams& params) {
    runAtStart_->setChecked(params.runUserProgramAtStart);
    startInKomendy_->setChecked(params.startInKomendy);
    UpdateEnabling();
}

orvane::device::DeviceParams DeviceParamsDialog::Params() const {
    return {runAtStart_->isChecked(), startInKomendy_->isChecked()};
}

void DeviceParamsDialog::Open() {
    auto params = std::make_shared<orvane::device::DeviceParams>();
    loan_->Begin(
        [params](device::DeviceSession& session) -> std::optional<orvane::device::PortLoan> {
            orvane::device::DeviceLink& link = session.Link();
            const auto read = link.LendForParameters();
            if (!read) return std::nullopt;
            *params = *read;
            return orvane::device::PortLoan{link.PortIndex(), link.Baud()};
        },
        [this, params](const orvane::device::PortLoan&) {
            Present(*params);
            open();
        });
}

// OK sends the flags as ticked; either way the window takes the link back.
void DeviceParamsDialog::done(int result) {
    QDialog::done(result);
    if (result == QDialog::Accepted) {
        loan_->Post([params = Params()](device::DeviceSession& session) { session.Link().WriteParameters(params); });
    }
    loan_->End();
}

}  // namespace orvane::app::dialogs
