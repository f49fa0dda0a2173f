// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/EngineWarnings.h"

#include <algorithm>

#include "core/host/Cp1250.h"

namespace orvane::compiler {

std::string EngineWarning::Text() const {
    return host::Pl("Ostrzeżenie (") + Code() + host::Pl(") w wierszu ") + std::to_string(line) + ": \"" +
           statement + "\": " + host::Pl(WarningCatalog::Of(kind).title) + (detail.empty() ? "" : " (" + detail + ")");
}

void EngineWarnings::Note(WarningKind kind, const Place& at, std::string detail) {
    const bool known = std::any_of(noted_.begin(), noted_.end(), [&](const EngineWarning& w) {
        return w.kind == kind && w.span.start == at.span.start;
    });
    if (!known) noted_.push_back({kind, at.line, at.span, at.statement, std::move(detail)});
}

void EngineWarnings::Compared(const Place& at, const std::vector<std::string>& variables) {
    if (!variables.empty()) comparisons_.push_back({at, variables});
}

void EngineWarnings::AssignedNegative(const std::string& variable, const Constant& value, std::int32_t line) {
    negative_.emplace(variable, Assigned{value, line});  // the first assignment is the one named
}

std::vector<EngineWarning> EngineWarnings::All() const {
    EngineWarnings all = *this;
    for (const Comparison& c : comparisons_) {
        for (const std::string& v : c.variables) {
            const auto negative = negative_.find(v);
            if (negative == negative_.end()) continue;
            all.Note(WarningKind::NegativeComparison, c.at,
                     host::Pl("zmienna ") + v + " = " + negative->second.value.BothWays() + host::Pl(", wiersz ") +
                         std::to_string(negative->second.line));
            break;
        }
    }
    std::stable_sort(all.noted_.begin(), all.noted_.end(), [](const EngineWarning& a, const EngineWarning& b) {
        return a.span.start != b.span.start ? a.span.start < b.span.start : a.kind < b.kind;
    });
    return all.noted_;
}

}  // namespace orvane::compiler
