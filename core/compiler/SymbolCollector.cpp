// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/SymbolCollector.h"

#include <algorithm>

#include "core/script/LabelCollector.h"
#include "core/script/StatementPieces.h"
#include "core/script/StatementWalk.h"

namespace orvane::compiler {

SymbolCollector::SymbolCollector(script::StatementReader& reader, script::LabelTable& labels,
                                 script::VariableTable& variables, host::Prompts& prompts)
    : reader_(reader), labels_(labels), variables_(variables), prompts_(prompts) {}

// Labels and declarations inside blocks and loop bodies count as well as those outside.
void SymbolCollector::CollectLabelsAndVariables() {
    script::StatementWalk::EveryStatement(reader_, [this](const script::Statement& statement, int) {
        const auto label = script::StatementPieces::LabelOf(statement.text);
        if (!label) return true;
        if (!script::LabelCollector::IsLabelName(*label)) {
            CollectNames(statement.text);
            return true;
        }
        return script::LabelCollector::AddLabel(labels_, *label, reader_.End(), prompts_);
    });
}

void SymbolCollector::CollectNames(const std::string& statement) {
    for (const std::string& name : DeclaredNames(statement)) variables_.Declare(name);
}

// The names after the ":" split at every ","; an asm statement has none after its colon.
// Empty names (a stray comma) reserve nothing.
std::vector<std::string> SymbolCollector::DeclaredNames(std::string_view statement) {
    std::string list;
    for (const char c : statement.substr(statement.find(':') + 1))
        if (c != ' ' && c != ';') list.push_back(c);
    std::vector<std::string> names;
    std::size_t from = 0;
    while (from <= list.size()) {
        const std::size_t comma = std::min(list.find(',', from), list.size());
        if (comma > from) names.push_back(list.substr(from, comma - from));
        from = comma + 1;
    }
    return names;
}

}  // namespace orvane::compiler
