// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/Clock.h"

namespace orvane::host {

void Clock::WaitSeconds(int n) {
    if (n <= 0) return;
    const std::int64_t target = (ClockSeconds() + n) * 1000;
    for (std::int64_t now = NowMs(); now < target; now = NowMs()) SleepMs(target - now);
}

}  // namespace orvane::host
