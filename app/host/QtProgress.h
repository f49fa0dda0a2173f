// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>

#include "app/host/CancelOffer.h"
#include "app/host/FlashProgressDialog.h"
#include "app/host/FlashSteps.h"
#include "core/host/Progress.h"

class QWidget;

namespace orvane::app::host {

// The progress of an erase, a write, a read-out or a verify as a window-modal dialog on the
// window thread, worded from the task the window started (Expect). The device thread reaches it
// through ThreadProgress; whether Cancel was pressed it reads straight from here (CancelOffer).
class QtProgress : public orvane::host::Progress {
public:
    explicit QtProgress(QWidget* parent) : parent_(parent) {}
    ~QtProgress() override;

    // Window thread, before the task is handed to the device thread.
    void Expect(host::FlashTask task, orvane::device::FlashArea::Kind area) { steps_.Expect(task, area); }

    void Begin(int rangeMax) override;
    void SetPosition(int position) override;
    void End() override;
    void SetCancellable(bool cancellable) override;
    // Device thread.
    bool CancelRequested() override { return offer_.Requested(); }
    CancelOffer& Offer() { return offer_; }

    host::FlashProgressDialog* Dialog() const { return dialog_; }

private:
    QWidget* parent_;
    host::FlashSteps steps_;
    QPointer<host::FlashProgressDialog> dialog_;
    CancelOffer offer_;
};

}  // namespace orvane::app::host
