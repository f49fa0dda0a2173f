// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <mutex>
#include <vector>

namespace orvane::app::device {

// The lines (from 0) that hold a breakpoint: set by the window whenever one is toggled, read by
// the run on the device thread before each statement.
class BreakpointLines {
public:
    void Set(std::vector<int> lines);
    bool Contains(int line) const;

private:
    mutable std::mutex mutex_;
    std::vector<int> lines_;  // sorted
};

}  // namespace orvane::app::device
