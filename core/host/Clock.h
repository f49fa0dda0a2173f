// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace orvane::host {

// Monotonic time for every device wait. The whole-second count keeps the bounds the controller
// protocol was designed around; the waits sleep instead of spinning.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t NowMs() = 0;
    virtual void SleepMs(std::int64_t ms) = 0;

    // Whole seconds since an arbitrary origin; grows by one each second.
    std::int64_t ClockSeconds() { return NowMs() / 1000; }

    // Returns once the second count has advanced by n (between n-1 and n real seconds);
    // n <= 0 returns at once.
    void WaitSeconds(int n);
};

}  // namespace orvane::host
