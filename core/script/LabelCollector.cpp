#include "core/script/LabelCollector.h"

#include <string>

#include "core/host/Cp1250.h"
#include "core/script/StatementPieces.h"

namespace orvane::script {

void LabelCollector::CollectLabels(StatementReader& reader, LabelTable& labels,
                                   host::Prompts& prompts) {
    reader.statementStart = 0;
    reader.statementEnd = 0;
    while (reader.statementStart < reader.TextLength()) {
        const std::string statement = reader.ReadStatement(-1);
        const std::string label = StatementPieces::LabelOf(statement);
        if (IsLabelName(label) && !AddLabel(labels, label, reader.statementEnd, prompts)) return;
        reader.statementStart = reader.statementEnd;
    }
}

bool LabelCollector::AddLabel(LabelTable& labels, std::string_view name, std::int32_t position,
                              host::Prompts& prompts) {
    if (labels.Contains(name) &&
        !prompts.AskYesNo(host::Pl("Etykieta (US1)"),
                          host::Pl("Duplikat Etykiety: ") + std::string(name) +
                              host::Pl("!\n\nCzy kontynuować pracę?"))) {
        return false;
    }
    labels.Add(name, position);
    return true;
}

bool LabelCollector::IsLabelName(std::string_view name) {
    return !StatementPieces::IsNoValue(name) && name != "Var" && name != "asm";
}

}  // namespace orvane::script
