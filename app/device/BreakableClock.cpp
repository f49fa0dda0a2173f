// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/device/BreakableClock.h"

#include <algorithm>

namespace orvane::app::device {

std::int64_t BreakableClock::NowMs() {
    if (breaker_.Fired()) leapMs_ += kLeapMs;
    return real_.NowMs() + leapMs_;
}

void BreakableClock::SleepMs(std::int64_t ms) {
    const std::int64_t until = real_.NowMs() + ms;
    for (std::int64_t left = ms; left > 0 && !breaker_.Fired(); left = until - real_.NowMs()) {
        real_.SleepMs(std::min(left, kSliceMs));
    }
}

}  // namespace orvane::app::device
