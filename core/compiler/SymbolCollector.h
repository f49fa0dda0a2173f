// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/host/Prompts.h"
#include "core/script/LabelTable.h"
#include "core/script/StatementReader.h"
#include "core/script/VariableTable.h"

namespace orvane::compiler {

// Before a compile translates anything it knows every label (for the entry table, Call and Run)
// and every declared variable (for the reservations in the memory file).
class SymbolCollector {
public:
    SymbolCollector(script::StatementReader& reader, script::LabelTable& labels,
                    script::VariableTable& variables, host::Prompts& prompts);

    // Reads the whole script statement by statement. A duplicate label asks whether to go on;
    // No ends the collection there (the compile goes on with what was collected).
    void CollectLabelsAndVariables();

    // The names a "Var:" statement declares, in order.
    static std::vector<std::string> DeclaredNames(std::string_view statement);

private:
    void CollectNames(const std::string& statement);

    script::StatementReader& reader_;
    script::LabelTable& labels_;
    script::VariableTable& variables_;
    host::Prompts& prompts_;
};

}  // namespace orvane::compiler
