// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/TimerQueue.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane::platform {
namespace {

// What the CLI's loop relies on: due timers fire once each, earliest first, and come due again
// one period after they fired; a handler's kill or restart holds for the timers after it.
TEST(TimerQueue, FiresDueTimersEarliestFirstAsTheWindowWould) {
    std::int64_t now = 0;
    TimerQueue timers([&] { return now; });
    EXPECT_EQ(timers.NextDueUs(), std::nullopt);
    timers.Start(1141, 0);  // below a tick: one ms
    timers.Start(1138, 300);
    timers.Start(1139, 2);
    EXPECT_EQ(timers.NextDueUs(), 1000);

    std::vector<int> fired;
    now = 2500;
    EXPECT_EQ(timers.FireDue([&](int id) { fired.push_back(id); }), 2);
    EXPECT_EQ(fired, (std::vector<int>{1141, 1139}));
    EXPECT_EQ(timers.NextDueUs(), 3500);

    now = 300'000;  // all three are due; the first handler kills one and restarts another
    fired.clear();
    timers.FireDue([&](int id) {
        fired.push_back(id);
        timers.Kill(1139);
        timers.Start(1138, 5);
    });
    EXPECT_EQ(fired, std::vector<int>{1141});
    EXPECT_FALSE(timers.IsRunning(1139));
    EXPECT_EQ(timers.NextDueUs(), 301'000);
    now = 305'000;
    fired.clear();
    timers.FireDue([&](int id) { fired.push_back(id); });
    EXPECT_EQ(fired, (std::vector<int>{1141, 1138}));
}

}  // namespace
}  // namespace orvane::platform
