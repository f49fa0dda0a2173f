// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

#include "core/host/Clock.h"

namespace orvane::platform {

// The real monotonic clock (steady_clock, nanosleep).
class SteadyClock : public host::Clock {
public:
    std::int64_t NowMs() override;
    void SleepMs(std::int64_t ms) override;
};

}  // namespace orvane::platform
