// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <utility>

#include "core/script/StatementPieces.h"
#include "core/script/StatementReader.h"

namespace orvane::script {

// How statements nest, read as C reads them: an else belongs to the nearest if without one, a
// loop's body and an if's branch are the one whole statement after the condition. The run, the
// compile and their label collection share it, so the two engines agree on where a statement
// ends.
class StatementWalk {
public:
    // Where the statements inside `statement` (just read) begin: an else's branch, a block's
    // first statement, a loop's body. Nothing for any other statement.
    static std::optional<std::int32_t> Inside(const StatementReader& reader, const Statement& statement);

    // Passes over one whole statement from the reader's start, reading no further than `limit`:
    // an if with its branch and the else that belongs to it, a loop with its body, an else with
    // its branch. A "}" is no part of it. The reader's start is left just after the statement.
    // Deep nesting costs no stack.
    static void SkipWhole(StatementReader& reader, std::int32_t limit);

    // Calls `visit(statement, depth)` for every statement of the text, at every depth (`depth`
    // counts the blocks around it); the blocks, loops and elses themselves are entered, not
    // visited. The block after an "asm:" label is assembler and is passed over whole. Stops
    // when `visit` returns false.
    template <typename Visit>
    static void EveryStatement(StatementReader& reader, Visit visit) {
        int depth = 0;
        bool assembler = false;  // the statement before was an "asm:" label
        reader.StartAt(0);
        while (reader.Start() < reader.TextLength()) {
            const Statement statement = reader.ReadStatement(-1);
            const bool block = statement.StartsWith("{");
            const bool afterAssembler = std::exchange(assembler, false);
            if (const auto inside = Inside(reader, statement); inside && !(block && afterAssembler)) {
                depth += block ? 1 : 0;
                reader.JumpTo(*inside);
                continue;
            }
            if (statement.StartsWith("}")) {
                if (depth > 0) --depth;
            } else if (!visit(statement, depth)) {
                return;
            }
            assembler = StatementPieces::LabelOf(statement.text) == "asm";
            reader.Next();
        }
    }
};

}  // namespace orvane::script
