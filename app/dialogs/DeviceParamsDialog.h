// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

#include "app/device/LinkLoan.h"
#include "app/host/QtPrompts.h"
#include "core/device/DeviceParams.h"

class QCheckBox;

namespace orvane::app::dialogs {

// "Parametry urządzenia": the controller's two start-up flags, read from it before and sent
// back after OK by the device link, which the dialog borrows (keeping the view's port) meanwhile.
class DeviceParamsDialog : public QDialog {
    Q_OBJECT
public:
    DeviceParamsDialog(device::DeviceThread& device, QWidget* parent = nullptr);

    // Reads the flags in System mode and shows them window-modal; nothing is shown when the
    // controller could not be brought into System mode.
    void Open();
    void Present(const orvane::device::DeviceParams& params);
    orvane::device::DeviceParams Params() const;

protected:
    void done(int result) override;

private:
    void UpdateEnabling();

    host::QtPrompts prompts_;
    device::LinkLoan* loan_;
    QCheckBox* runAtStart_ = nullptr;
    QCheckBox* startInKomendy_ = nullptr;
};

}  // namespace orvane::app::dialogs
