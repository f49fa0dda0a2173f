// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <mutex>

#include "app/host/WaitBreaker.h"

namespace orvane::app::host {

// Whether the operation on the device thread may stop now, and whether the user asked it to. The
// two threads agree on it under one lock, so a Cancel pressed just as the offer closes can never
// cut a wait the operation no longer gives up safely. An accepted Cancel fires the breaker: the
// wait for a silent controller ends now rather than when it times out. The operation takes the
// breaker back as it reads the request, so its way back to a safe state waits as usual.
class CancelOffer {
public:
    void UseBreaker(WaitBreaker& breaker);

    // Device thread: a new operation begins, or one has ended.
    void Reset();
    void Open(bool open);
    // Device thread: whether the user asked to stop; reading it takes the breaker back.
    bool Requested();

    // Window thread: false when the operation can no longer stop.
    bool Request();
    // Window thread, the window closing: stops what may stop, and every wait ends from now on.
    void Abandon();

private:
    void Fire();
    void TakeBack();

    std::mutex mutex_;
    WaitBreaker* breaker_ = nullptr;
    bool open_ = false;
    bool requested_ = false;
    bool fired_ = false;
    bool abandoned_ = false;
};

}  // namespace orvane::app::host
