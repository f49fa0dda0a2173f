#pragma once
#include <QPointer>
#include <QProgressDialog>

#include "core/host/Progress.h"

class QWidget;

namespace orvane::app::host {

// The progress bar of an erase, a write or a read-out, as a window-modal progress dialog on
// the window thread. The device thread reaches it through ThreadProgress.
class QtProgress : public orvane::host::Progress {
public:
    explicit QtProgress(QWidget* parent) : parent_(parent) {}
    ~QtProgress() override;
    void Begin(int rangeMax) override;
    void SetPosition(int position) override;
    void End() override;
    QProgressDialog* Dialog() const { return dialog_; }

private:
    QWidget* parent_;
    QPointer<QProgressDialog> dialog_;
};

}  // namespace orvane::app::host
