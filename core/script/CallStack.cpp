// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/CallStack.h"

#include <utility>

namespace orvane::script {

std::size_t CallStack::SavedCount(const CallFrame& frame) {
    return frame.savedVariables ? frame.savedVariables->Size() : 0;
}

bool CallStack::CanPush(std::size_t variables) const {
    return frames_.size() < kMaxDepth && savedVariables_ + variables <= kMaxSavedVariables;
}

void CallStack::Push(CallFrame frame) {
    savedVariables_ += SavedCount(frame);
    frames_.push_back(std::move(frame));
}

std::optional<CallFrame> CallStack::Pop() {
    if (frames_.empty()) return std::nullopt;
    CallFrame top = std::move(frames_.back());
    frames_.pop_back();
    savedVariables_ -= SavedCount(top);
    return top;
}

void CallStack::Clear() {
    frames_.clear();
    savedVariables_ = 0;
}

}  // namespace orvane::script
