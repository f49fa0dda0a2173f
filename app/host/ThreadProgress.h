#pragma once
#include "app/host/GuiCall.h"
#include "app/host/QtProgress.h"
#include "core/host/Progress.h"

namespace orvane::app::host {

// The device thread's progress reports, handed to the window thread without waiting for it; a
// Cancel pressed there is read at once.
class ThreadProgress : public orvane::host::Progress {
public:
    ThreadProgress(QtProgress& window, QObject* windowContext) : window_(window), context_(windowContext) {}
    void Begin(int rangeMax) override {
        window_.ClearCancel();  // a Cancel of an earlier operation must not stop this one
        PostToThreadOf(context_, [this, rangeMax] { window_.Begin(rangeMax); });
    }
    void SetPosition(int position) override {
        PostToThreadOf(context_, [this, position] { window_.SetPosition(position); });
    }
    void End() override {
        PostToThreadOf(context_, [this] { window_.End(); });
    }
    void SetCancellable(bool cancellable) override {
        PostToThreadOf(context_, [this, cancellable] { window_.SetCancellable(cancellable); });
    }
    bool CancelRequested() override { return window_.CancelRequested(); }

private:
    QtProgress& window_;
    QObject* context_;
};

}  // namespace orvane::app::host
