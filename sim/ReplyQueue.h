// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "sim/FaultPlan.h"

namespace orvane::sim {

// What became of one reply byte on its way to the line.
enum class Fate { Sent, Corrupted, Dropped };

struct OutByte {
    std::int64_t dueMs = 0;
    std::uint8_t byte = 0;      // as it goes on the line (after corruption)
    std::uint8_t original = 0;  // as the controller meant it
    Fate fate = Fate::Sent;
};

// The controller's replies in order, with the output faults applied: every byte counts towards
// drop:N and corrupt:N, silenced bytes are kept (marked dropped) so the log shows what a healthy
// controller would have said, and a delay holds every byte back.
class ReplyQueue {
public:
    explicit ReplyQueue(const FaultPlan& faults) : faults_(faults) {}

    void Push(std::uint8_t byte, std::int64_t nowMs, bool silenced);
    // The bytes due at `nowMs`, oldest first; dropped bytes included, for the log.
    std::vector<OutByte> TakeDue(std::int64_t nowMs);
    std::optional<std::int64_t> NextDueMs() const;
    bool Empty() const { return queue_.empty(); }

private:
    const FaultPlan& faults_;
    std::deque<OutByte> queue_;
    int produced_ = 0;
};

}  // namespace orvane::sim
