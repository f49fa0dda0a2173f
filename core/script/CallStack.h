// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/script/Statement.h"
#include "core/script/VariableTable.h"

namespace orvane::script {

// Where a `Call` or `Run` came from. A `Call` also keeps the caller's variables, which `Return`
// puts back; `blockDepth` is how many block frames were open at the call, so that a `Return`
// from inside a block of the subroutine leaves none of them behind for the caller's loops.
struct CallFrame {
    StatementSpan span;
    std::int32_t readLimit = -1;
    std::size_t blockDepth = 0;
    std::optional<VariableTable> savedVariables;  // Call only
};

// Nested calls are bounded: a runaway recursion is stopped with a box long before the copies of
// the variable table could exhaust the memory.
class CallStack {
public:
    static constexpr std::size_t kMaxDepth = 1000;
    // Variables held by all frames together.
    static constexpr std::size_t kMaxSavedVariables = std::size_t{1} << 18;

    // Whether one more frame fits, holding a table of `variables` entries (0 for `Run`).
    bool CanPush(std::size_t variables) const;
    void Push(CallFrame frame);
    std::optional<CallFrame> Pop();
    void Clear();

    bool Empty() const { return frames_.empty(); }
    std::size_t Size() const { return frames_.size(); }
    // The block depth the innermost call started with (0 outside any call).
    std::size_t BaseBlockDepth() const { return frames_.empty() ? 0 : frames_.back().blockDepth; }

private:
    static std::size_t SavedCount(const CallFrame& frame);

    std::vector<CallFrame> frames_;
    std::size_t savedVariables_ = 0;
};

}  // namespace orvane::script
