// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "core/host/Timers.h"

namespace orvane::platform {

// Window timers without a window: periodic timers known by id, due on a monotonic microsecond
// clock. The owner's loop sleeps until NextDueUs and then calls FireDue, which calls the handler
// as the window would deliver its timer messages: each due timer once, earliest first.
class TimerQueue : public host::Timers {
public:
    using NowUs = std::function<std::int64_t()>;

    explicit TimerQueue(NowUs now) : now_(std::move(now)) {}

    // A period below 1 ms counts as 1 ms, the shortest tick there is.
    void Start(int id, int periodMs) override;
    void Kill(int id) override;

    bool IsRunning(int id) const { return timers_.count(id) != 0; }
    bool Empty() const { return timers_.empty(); }
    // When the earliest timer is due; nothing when none runs.
    std::optional<std::int64_t> NextDueUs() const;
    // Calls the handler for every timer due now, earliest first. Each is due again one period
    // from now before its handler runs, so the handler may kill or restart it (or any other).
    // A timer restarted by a handler waits for its new period. The number of handler calls.
    int FireDue(const std::function<void(int id)>& handler);

private:
    struct Entry {
        std::int64_t periodUs = 0;
        std::int64_t dueUs = 0;
    };

    NowUs now_;
    std::map<int, Entry> timers_;
};

}  // namespace orvane::platform
