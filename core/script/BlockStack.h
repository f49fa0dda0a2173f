// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/script/Statement.h"

namespace orvane::script {

// Where the run stood when it entered a braced block, the branch of a true `if` or the body of
// a `while`: leaving the block (its "}" or its read limit) puts these positions back. `span` is
// the block's or the loop's own statement; a loop is read again when its body is used up, a
// block goes on after itself.
struct BlockFrame {
    StatementSpan span;
    std::int32_t readLimit = -1;
    bool loop = false;
};

class BlockStack {
public:
    void Push(const BlockFrame& frame) { frames_.push_back(frame); }
    // The innermost frame; the stack must not be empty.
    const BlockFrame& Top() const { return frames_.back(); }
    // The top frame, removed; nothing when the stack is empty.
    std::optional<BlockFrame> Pop();
    // Drops the frames above `depth`; true when any was dropped.
    bool TruncateTo(std::size_t depth);
    void Clear() { frames_.clear(); }

    bool Empty() const { return frames_.empty(); }
    std::size_t Size() const { return frames_.size(); }

private:
    std::vector<BlockFrame> frames_;
};

}  // namespace orvane::script
