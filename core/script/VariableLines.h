// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "core/script/VariableTable.h"

namespace orvane::script {

// The lines of the variable list shown beside the editor during a run (and printed by the CLI
// after one): "%s = %.2lf" per variable, newest first.
class VariableLines {
public:
    static std::string Line(const VariableTable::Entry& entry);
    static std::vector<std::string> Of(const VariableTable& variables);
};

}  // namespace orvane::script
