#include "app/dialogs/DeviceParamsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/tools/DeviceParamsForm.h"

namespace orvane::app::dialogs {

DeviceParamsDialog::DeviceParamsDialog(QWidget* parent) : QDialog(parent), prompts_(this) {
    setObjectName(QStringLiteral("deviceParamsDialog"));
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

bool DeviceParamsDialog::Run(orvane::device::DeviceParams& params) {
    Present(params);
    if (exec() != QDialog::Accepted) return false;
    params = Params();
    return true;
}

}  // namespace orvane::app::dialogs
