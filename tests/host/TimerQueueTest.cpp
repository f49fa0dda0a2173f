#include "core/host/TimerQueue.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/FakeClock.h"

namespace orvane::host {
namespace {

class TimerQueueTest : public ::testing::Test {
protected:
    // Fires what is due and records the ids in the order the handler saw them.
    std::vector<int> Fire(const std::function<void(int)>& also = {}) {
        std::vector<int> ids;
        queue.FireDue([&](int id) {
            ids.push_back(id);
            if (also) also(id);
        });
        return ids;
    }

    test::FakeClock clock{0};
    TimerQueue queue{[this] { return clock.NowMs() * 1000; }};
};

TEST_F(TimerQueueTest, PeriodicTimersFireEarliestFirstAndComeBackAfterTheirPeriod) {
    queue.Start(1138, 300);
    queue.Start(1141, 1);
    EXPECT_EQ(queue.NextDueUs(), 1000);
    EXPECT_TRUE(Fire().empty());  // nothing is due yet

    clock.Advance(300);
    EXPECT_EQ(Fire(), (std::vector<int>{1141, 1138}));  // 1141 was due first
    EXPECT_EQ(queue.NextDueUs(), 301'000);              // one period from now, not from the due time
    clock.Advance(1);
    EXPECT_EQ(Fire(), std::vector<int>{1141});
}

TEST_F(TimerQueueTest, HandlersMayKillOrRestartAnyTimer) {
    queue.Start(1, 5);
    queue.Start(2, 5);
    queue.Start(3, 5);
    clock.Advance(5);
    const auto ids = Fire([&](int id) {
        if (id != 1) return;
        queue.Kill(2);       // killed before its turn: not called
        queue.Start(3, 10);  // restarted: waits for its new period
        queue.Kill(1);
    });
    EXPECT_EQ(ids, std::vector<int>{1});
    EXPECT_FALSE(queue.IsRunning(2));
    EXPECT_EQ(queue.NextDueUs(), 15'000);
    queue.Start(3, -5);  // periods below one tick take one tick
    EXPECT_EQ(queue.NextDueUs(), 6'000);
    queue.Kill(3);
    EXPECT_FALSE(queue.NextDueUs());
}

}  // namespace
}  // namespace orvane::host
