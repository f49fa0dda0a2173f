// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/TranslationContext.h"

#include "core/host/Cp1250.h"
#include "core/script/MessageQuote.h"

namespace orvane::compiler {

TranslationContext::TranslationContext(script::StatementReader& reader,
                                       host::EditorAccess& editor,
                                       script::VariableTable& variables,
                                       const script::LabelTable& labels,
                                       const commands::CommandTable& commands,
                                       host::Prompts& prompts)
    : reader_(reader),
      editor_(editor),
      variables_(variables),
      labels_(labels),
      commands_(commands),
      prompts_(prompts) {}

void TranslationContext::Write(std::string_view text) {
    assembler_.append(text);
    for (const char c : text) {
        if (c == '\n') lineStatements_.push_back(current_);
    }
}

EngineWarnings::Place TranslationContext::Here() const {
    const script::StatementSpan span = current_.value_or(reader_.Span());
    return {editor_.LineFromPosition(span.start) + 1, span, script::MessageQuote::Of(currentText_)};
}

void TranslationContext::Stop(std::string_view statement, std::string_view reason, bool tell) {
    if (stop_) return;
    TranslationStop stop{editor_.LineFromPosition(reader_.Start()) + 1,
                         current_.value_or(reader_.Span()), script::MessageQuote::Of(statement),
                         std::string(reason)};
    if (tell)
        prompts_.Tell(host::Pl("Błąd tłumaczenia (TASM1)"),
                      host::Pl("Tłumaczenie przerwane w wierszu ") + std::to_string(stop.line) +
                          ":\n\"" + stop.statement + "\"\n\n" + stop.reason +
                          host::Pl("\n\nProgram nie zostanie zapisany do urządzenia."),
                      host::Icon::Error);
    stop_ = std::move(stop);
}

}  // namespace orvane::compiler
