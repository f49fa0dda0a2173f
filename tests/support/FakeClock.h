// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "core/host/Clock.h"

namespace orvane::test {

// Time that moves only when something sleeps or a test advances it.
class FakeClock : public host::Clock {
public:
    explicit FakeClock(std::int64_t startMs = 1'000'000) : now_(startMs) {}
    std::int64_t NowMs() override { return now_; }
    void SleepMs(std::int64_t ms) override { Advance(ms); }
    void Advance(std::int64_t ms) {
        if (ms > 0) {
            now_ += ms;
            slept_ += ms;
        }
    }
    std::int64_t SleptMs() const { return slept_; }

private:
    std::int64_t now_;
    std::int64_t slept_ = 0;
};

}  // namespace orvane::test
