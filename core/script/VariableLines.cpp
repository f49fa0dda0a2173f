// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/VariableLines.h"

#include <cstdio>

namespace orvane::script {

std::string VariableLines::Line(const VariableTable::Entry& entry) {
    // "%s = %.2lf": the number alone goes through printf; the largest double prints 309 digits.
    char number[400];
    std::snprintf(number, sizeof number, "%.2f", entry.value);
    return entry.name + " = " + number;
}

std::vector<std::string> VariableLines::Of(const VariableTable& variables) {
    std::vector<std::string> lines;
    lines.reserve(variables.Size());
    for (const auto& entry : variables.Entries()) lines.push_back(Line(entry));
    return lines;
}

}  // namespace orvane::script
