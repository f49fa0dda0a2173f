#include "core/script/VariableLines.h"

#include <cstdio>

namespace orvane::script {

std::string VariableLines::Line(const VariableTable::Entry& entry) {
    // Sized first: a name has no length limit, and 1e300 prints 300 digits.
    const char* format = "%s = %.2f";
    const int size = std::snprintf(nullptr, 0, format, entry.name.c_str(), entry.value);
    if (size < 0) return entry.name;
    std::string line(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(line.data(), line.size(), format, entry.name.c_str(), entry.value);
    line.resize(static_cast<std::size_t>(size));
    return line;
}

std::vector<std::string> VariableLines::Of(const VariableTable& variables) {
    std::vector<std::string> lines;
    lines.reserve(variables.Size());
    for (const auto& entry : variables.Entries()) lines.push_back(Line(entry));
    return lines;
}

}  // namespace orvane::script
