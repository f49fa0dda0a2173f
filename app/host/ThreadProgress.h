// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <mutex>
#include <optional>

#include "app/host/QtProgress.h"
#include "core/host/Progress.h"

namespace orvane::app::host {

// The device thread's progress reports, handed to the window thread without waiting for it; a
// Cancel pressed there is read at once. A read-out reports a position every 64 bytes, faster
// than a window needs: positions are coalesced, the window taking the latest whenever it gets
// round to it, while Begin, End and the Cancel offer keep their order.
class ThreadProgress : public orvane::host::Progress {
public:
    ThreadProgress(QtProgress& window, QObject* windowContext) : window_(window), context_(windowContext) {}

    void Begin(int rangeMax) override;
    void SetPosition(int position) override;
    void End() override;
    void SetCancellable(bool cancellable) override;
    bool CancelRequested() override { return window_.CancelRequested(); }

private:
    struct Mailbox {
        std::mutex mutex;
        std::optional<int> position;
    };
    void Ordered(std::function<void(QtProgress&)> show);

    QtProgress& window_;
    QObject* context_;
    std::shared_ptr<Mailbox> mailbox_ = std::make_shared<Mailbox>();
};

}  // namespace orvane::app::host
