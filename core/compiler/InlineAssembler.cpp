// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/InlineAssembler.h"

#include <algorithm>

namespace orvane::compiler {

InlineAssembler::InlineAssembler(TranslationContext& context) : ctx_(context) {}

std::string InlineAssembler::Line(std::int32_t line) const {
    return ctx_.Editor().LineText(line) + "\n";
}

// A copied line is the user's own code: its assembler line leads back to that line itself.
void InlineAssembler::WriteLine(std::int32_t line, const std::string& text) {
    const std::int32_t start = ctx_.Editor().LineStart(line);
    const auto length = static_cast<std::int32_t>(ctx_.Editor().LineText(line).size());
    const TranslationContext::StatementScope scope(ctx_, {start, start + length});
    ctx_.Write(text);
}

void InlineAssembler::Copy() {
    host::EditorAccess& editor = ctx_.Editor();
    std::int32_t start = 0;
    std::int32_t end = 0;
    editor.GetSelection(start, end);
    std::int32_t line = editor.LineFromPosition(start);

    std::string text = Line(line);
    if (text.find('{') == std::string::npos) {
        text = Line(line + 1);
        if (text.find('{') != std::string::npos) ++line;
    }

    std::int32_t next = 0;
    if (text.find('{') == std::string::npos) {
        // One line: a C-style ";" at its end would start a comment in the assembler.
        std::erase(text, ';');
        WriteLine(line + 1, text);
        next = editor.LineStart(line + 2);
    } else {
        const std::int32_t last = editor.LineFromPosition(editor.Length());
        for (;;) {
            ++line;
            if (line > last) break;  // no "}": the block runs to the end of the text
            text = Line(line);
            if (text.find('}') != std::string::npos) break;
            WriteLine(line, text);
        }
        next = editor.LineStart(line + 1);
    }
    ctx_.Reader().StartAt(next);
}

}  // namespace orvane::compiler
