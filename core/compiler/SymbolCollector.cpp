#include "core/compiler/SymbolCollector.h"

#include <algorithm>

#include "core/host/Cp1250.h"
#include "core/script/StatementPieces.h"

namespace orvane::compiler {

SymbolCollector::SymbolCollector(script::StatementReader& reader, script::LabelTable& labels,
                                 script::VariableTable& variables, host::Prompts& prompts)
    : reader_(reader), labels_(labels), variables_(variables), prompts_(prompts) {}

void SymbolCollector::CollectLabelsAndVariables() {
    reader_.statementStart = 0;
    reader_.statementEnd = 0;
    while (reader_.statementStart < reader_.TextLength()) {
        const std::string statement = reader_.ReadStatement(-1);
        const std::string label = script::StatementPieces::LabelOf(statement);
        if (label == "Var" || label == "asm") {
            CollectNames(statement);
        } else if (!script::StatementPieces::IsNoValue(label) && !AddLabel(label)) {
            return;
        }
        reader_.statementStart = reader_.statementEnd;
    }
}

// The names after the ":" split at every ","; an asm statement has none after its colon.
// Empty names (a stray comma) reserve nothing.
void SymbolCollector::CollectNames(const std::string& statement) {
    std::string list;
    for (const char c : statement.substr(statement.find(':') + 1))
        if (c != ' ' && c != ';') list.push_back(c);
    std::size_t from = 0;
    while (from <= list.size()) {
        const std::size_t comma = std::min(list.find(',', from), list.size());
        const std::string_view name = std::string_view(list).substr(from, comma - from);
        if (!name.empty()) variables_.Declare(name);
        from = comma + 1;
    }
}

// False when the user chose to stop at a duplicate.
bool SymbolCollector::AddLabel(const std::string& label) {
    if (labels_.Contains(label) &&
        !prompts_.AskYesNo(host::Pl("Etykieta (US1)"),
                           host::Pl("Duplikat Etykiety: ") + label +
                               host::Pl("!\n\nCzy kontynuować pracę?"))) {
        return false;
    }
    labels_.Add(label, reader_.statementEnd);
    return true;
}

}  // namespace orvane::compiler
