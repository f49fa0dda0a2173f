// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string_view>
#include <unordered_set>

#include "core/host/Prompts.h"
#include "core/script/LabelTable.h"
#include "core/script/StatementReader.h"

namespace orvane::script {

// Finds the script's labels before a run (and offers the compile the same duplicate check):
// every statement whose text before its first ":" is neither "Var" nor "asm" names a label at
// the position just after that statement, inside blocks and loop bodies as well.
class LabelCollector {
public:
    // Reads the whole text from position 0 with no limit; the reader's positions are left at
    // the end. A duplicate the user chose not to pass over ends the collection there: the run
    // goes on with the labels found so far. `nested`, when given, receives the positions of the
    // labels that stand inside a block.
    static void CollectLabels(StatementReader& reader, LabelTable& labels, host::Prompts& prompts,
                              std::unordered_set<std::int32_t>* nested = nullptr);

    // Enters one label. A name that is there already asks "Etykieta (US1)" first; false when the
    // user answered No (nothing is entered then). With Yes the later label is found first.
    static bool AddLabel(LabelTable& labels, std::string_view name, std::int32_t position,
                         host::Prompts& prompts);

    // Whether a label statement's name counts as a label ("Var" declares, "asm" holds assembler).
    static bool IsLabelName(std::string_view name);
};

}  // namespace orvane::script
