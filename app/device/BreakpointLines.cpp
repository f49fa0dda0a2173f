// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/device/BreakpointLines.h"

#include <algorithm>

namespace orvane::app::device {

void BreakpointLines::Set(std::vector<int> lines) {
    std::sort(lines.begin(), lines.end());
    const std::lock_guard lock(mutex_);
    lines_ = std::move(lines);
}

bool BreakpointLines::Contains(int line) const {
    const std::lock_guard lock(mutex_);
    return std::binary_search(lines_.begin(), lines_.end(), line);
}

}  // namespace orvane::app::device
