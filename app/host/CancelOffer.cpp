// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/host/CancelOffer.h"

namespace orvane::app::host {

void CancelOffer::UseBreaker(WaitBreaker& breaker) {
    const std::lock_guard lock(mutex_);
    breaker_ = &breaker;
}

void CancelOffer::Reset() {
    const std::lock_guard lock(mutex_);
    open_ = false;
    requested_ = false;
    TakeBack();
}

void CancelOffer::Open(bool open) {
    const std::lock_guard lock(mutex_);
    open_ = open;
}

bool CancelOffer::Requested() {
    const std::lock_guard lock(mutex_);
    if (requested_) TakeBack();
    return requested_;
}

bool CancelOffer::Request() {
    const std::lock_guard lock(mutex_);
    if (!open_) return false;
    requested_ = true;
    Fire();
    return true;
}

void CancelOffer::Abandon() {
    const std::lock_guard lock(mutex_);
    requested_ = requested_ || open_;
    abandoned_ = true;
    Fire();
}

void CancelOffer::Fire() {
    if (breaker_ == nullptr) return;
    breaker_->Arm();
    fired_ = breaker_->FireIfArmed();
}

void CancelOffer::TakeBack() {
    if (!fired_ || abandoned_) return;
    breaker_->Disarm();
    fired_ = false;
}

}  // namespace orvane::app::host
