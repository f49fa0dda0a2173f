#pragma once
#include <QDialog>

#include "app/host/QtPrompts.h"
#include "core/device/DeviceParams.h"

class QCheckBox;

namespace orvane::app::dialogs {

// "Parametry urządzenia": the controller's two start-up flags, read from it before and sent
// back after OK by the device link.
class DeviceParamsDialog : public QDialog {
    Q_OBJECT
public:
    explicit DeviceParamsDialog(QWidget* parent = nullptr);

    // Shows `params`; true after OK, with the flags as ticked left in `params`.
    bool Run(orvane::device::DeviceParams& params);
    void Present(const orvane::device::DeviceParams& params);
    orvane::device::DeviceParams Params() const;

private:
    void UpdateEnabling();

    host::QtPrompts prompts_;
    QCheckBox* runAtStart_ = nullptr;
    QCheckBox* startInKomendy_ = nullptr;
};

}  // namespace orvane::app::dialogs
