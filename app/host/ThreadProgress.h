#pragma once
#include "app/host/GuiCall.h"
#include "core/host/Progress.h"

namespace orvane::app::host {

// The device thread's progress reports, handed to the window thread without waiting for it.
class ThreadProgress : public orvane::host::Progress {
public:
    ThreadProgress(orvane::host::Progress& window, QObject* windowContext)
        : window_(window), context_(windowContext) {}
    void Begin(int rangeMax) override {
        PostToThreadOf(context_, [this, rangeMax] { window_.Begin(rangeMax); });
    }
    void SetPosition(int position) override {
        PostToThreadOf(context_, [this, position] { window_.SetPosition(position); });
    }
    void End() override {
        PostToThreadOf(context_, [this] { window_.End(); });
    }

private:
    orvane::host::Progress& window_;
    QObject* context_;
};

}  // namespace orvane::app::host
