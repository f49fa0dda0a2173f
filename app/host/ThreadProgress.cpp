// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/host/ThreadProgress.h"

#include <utility>

#include "app/host/GuiCall.h"

namespace orvane::app::host {

void ThreadProgress::Begin(int rangeMax) {
    window_.Offer().Reset();  // a Cancel of an earlier operation must not stop this one
    Ordered([rangeMax](QtProgress& window) { window.Begin(rangeMax); });
}

void ThreadProgress::SetPosition(int position) {
    const std::shared_ptr<Mailbox> box = mailbox_;
    const std::lock_guard lock(box->mutex);
    const bool waiting = box->position.has_value();
    box->position = position;
    if (waiting) return;
    PostToThreadOf(context_, [&window = window_, box] {
        std::optional<int> latest;
        {
            const std::lock_guard taken(box->mutex);
            latest = std::exchange(box->position, std::nullopt);
        }
        if (latest) window.SetPosition(*latest);
    });
}

void ThreadProgress::End() {
    window_.Offer().Reset();
    Ordered([](QtProgress& window) { window.End(); });
}

void ThreadProgress::SetCancellable(bool cancellable) {
    window_.Offer().Open(cancellable);  // at once: the dialog learns it later
    Ordered([cancellable](QtProgress& window) { window.SetCancellable(cancellable); });
}

void ThreadProgress::Ordered(std::function<void(QtProgress&)> show) {
    mailbox_ = std::make_shared<Mailbox>();
    // The window's progress lives as long as the window, which the posted call needs anyway.
    PostToThreadOf(context_, [&window = window_, show = std::move(show)] { show(window); });
}

}  // namespace orvane::app::host
