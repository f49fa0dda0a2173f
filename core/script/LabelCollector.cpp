// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/LabelCollector.h"

#include <string>

#include "core/host/Cp1250.h"
#include "core/script/MessageQuote.h"
#include "core/script/StatementPieces.h"
#include "core/script/StatementWalk.h"

namespace orvane::script {

void LabelCollector::CollectLabels(StatementReader& reader, LabelTable& labels,
                                   host::Prompts& prompts, std::unordered_set<std::int32_t>* nested) {
    StatementWalk::EveryStatement(reader, [&](const Statement& statement, int depth) {
        const auto label = StatementPieces::LabelOf(statement.text);
        if (!label || !IsLabelName(*label)) return true;
        if (!AddLabel(labels, *label, reader.End(), prompts)) return false;
        if (nested != nullptr && depth > 0) nested->insert(reader.End());
        return true;
    });
}

bool LabelCollector::AddLabel(LabelTable& labels, std::string_view name, std::int32_t position,
                              host::Prompts& prompts) {
    if (labels.Contains(name) &&
        !prompts.AskYesNo(host::Pl("Etykieta (US1)"),
                          host::Pl("Duplikat Etykiety: ") + MessageQuote::Of(name) +
                              host::Pl("!\n\nCzy kontynuować pracę?"))) {
        return false;
    }
    labels.Add(name, position);
    return true;
}

bool LabelCollector::IsLabelName(std::string_view name) {
    return name != "Var" && name != "asm";
}

}  // namespace orvane::script
