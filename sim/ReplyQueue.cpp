// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/ReplyQueue.h"

namespace orvane::sim {

void ReplyQueue::Push(std::uint8_t byte, std::int64_t nowMs, bool silenced) {
    ++produced_;
    OutByte out{nowMs + faults_.delayMs, byte, byte, Fate::Sent};
    if (silenced || faults_.silent || produced_ == faults_.dropNth) {
        out.fate = Fate::Dropped;
    } else if (produced_ == faults_.corruptNth) {
        out.byte = static_cast<std::uint8_t>(byte ^ 0xFF);
        out.fate = Fate::Corrupted;
    }
    queue_.push_back(out);
}

std::vector<OutByte> ReplyQueue::TakeDue(std::int64_t nowMs) {
    std::vector<OutByte> due;
    while (!queue_.empty() && queue_.front().dueMs <= nowMs) {
        due.push_back(queue_.front());
        queue_.pop_front();
    }
    return due;
}

std::optional<std::int64_t> ReplyQueue::NextDueMs() const {
    if (queue_.empty()) return std::nullopt;
    return queue_.front().dueMs;
}

}  // namespace orvane::sim
