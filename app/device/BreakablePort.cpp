// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/device/BreakablePort.h"

#include <algorithm>
#include <chrono>

#include "app/device/BreakableClock.h"

namespace orvane::app::device {

bool BreakablePort::WaitReadable(std::int64_t timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (std::int64_t left = timeoutMs; left > 0 && !breaker_.Fired();) {
        if (Wrapped().WaitReadable(std::min(left, BreakableClock::kSliceMs))) return true;
        left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
    }
    return false;
}

}  // namespace orvane::app::device
