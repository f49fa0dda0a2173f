// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/TimerQueue.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace orvane::platform {

void TimerQueue::Start(int id, int periodMs) {
    const std::int64_t periodUs = std::max<std::int64_t>(periodMs, 1) * 1000;
    timers_[id] = Entry{periodUs, now_() + periodUs};
}

void TimerQueue::Kill(int id) { timers_.erase(id); }

std::optional<std::int64_t> TimerQueue::NextDueUs() const {
    std::optional<std::int64_t> next;
    for (const auto& [id, entry] : timers_) {
        if (!next || entry.dueUs < *next) next = entry.dueUs;
    }
    return next;
}

int TimerQueue::FireDue(const std::function<void(int id)>& handler) {
    const std::int64_t now = now_();
    std::vector<std::pair<std::int64_t, int>> due;  // (due time, id)
    for (const auto& [id, entry] : timers_) {
        if (entry.dueUs <= now) due.emplace_back(entry.dueUs, id);
    }
    std::sort(due.begin(), due.end());
    int fired = 0;
    for (const auto& [dueUs, id] : due) {
        // An earlier handler may have killed or restarted this one.
        const auto it = timers_.find(id);
        if (it == timers_.end() || it->second.dueUs != dueUs) continue;
        it->second.dueUs = now + it->second.periodUs;
        ++fired;
        handler(id);
    }
    return fired;
}

}  // namespace orvane::platform
