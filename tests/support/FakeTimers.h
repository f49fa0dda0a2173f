// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <map>

#include "core/host/Timers.h"

namespace orvane::test {

// Remembers which timers run with which period; tests fire them by hand.
class FakeTimers : public host::Timers {
public:
    void Start(int id, int periodMs) override { running_[id] = periodMs; }
    void Kill(int id) override { running_.erase(id); }
    bool IsRunning(int id) const { return running_.count(id) != 0; }
    int Period(int id) const {
        const auto it = running_.find(id);
        return it == running_.end() ? -1 : it->second;
    }
    const std::map<int, int>& Running() const { return running_; }

private:
    std::map<int, int> running_;
};

}  // namespace orvane::test
