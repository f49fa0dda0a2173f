// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <unordered_set>

#include "core/script/BlockStack.h"
#include "core/script/CallStack.h"
#include "core/script/LabelTable.h"
#include "core/script/VariableTable.h"

namespace orvane::script {

// What a run keeps between its ticks besides the reader's statement positions.
struct RunState {
    // The end of the block or loop body being executed; -1 for none.
    std::int32_t readLimit = -1;
    // Set: the run halts after each statement until the next Krok.
    bool stepMode = false;
    BlockStack blocks;
    CallStack calls;
    LabelTable labels;
    // Where the labels inside blocks stand: a jump there enters the blocks around them.
    std::unordered_set<std::int32_t> nestedLabels;
    VariableTable variables;
};

}  // namespace orvane::script
