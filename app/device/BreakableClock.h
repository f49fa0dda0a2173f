// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

#include "app/host/WaitBreaker.h"
#include "core/host/Clock.h"
#include "core/platform/SteadyClock.h"

namespace orvane::app::device {

// The device thread's clock: the real monotonic clock, except that once the breaker fires every
// wait ends at once. Sleeps return early, and the time leaps forward so that whatever bound a
// wait was counting towards has passed; the leap stays, so the clock never runs backwards.
class BreakableClock : public orvane::host::Clock {
public:
    explicit BreakableClock(const host::WaitBreaker& breaker) : breaker_(breaker) {}
    std::int64_t NowMs() override;
    void SleepMs(std::int64_t ms) override;

    // How often a sleep looks at the breaker.
    static constexpr std::int64_t kSliceMs = 20;

private:
    static constexpr std::int64_t kLeapMs = 3'600'000;

    const host::WaitBreaker& breaker_;
    orvane::platform::SteadyClock real_;
    std::int64_t leapMs_ = 0;
};

}  // namespace orvane::app::device
