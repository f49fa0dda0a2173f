// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/BlockStack.h"

namespace orvane::script {

std::optional<BlockFrame> BlockStack::Pop() {
    if (frames_.empty()) return std::nullopt;
    const BlockFrame top = frames_.back();
    frames_.pop_back();
    return top;
}

bool BlockStack::TruncateTo(std::size_t depth) {
    if (frames_.size() <= depth) return false;
    frames_.resize(depth);
    return true;
}

}  // namespace orvane::script
