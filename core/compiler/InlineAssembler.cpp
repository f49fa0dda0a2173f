#include "core/compiler/InlineAssembler.h"

#include <algorithm>

namespace orvane::compiler {

InlineAssembler::InlineAssembler(TranslationContext& context) : ctx_(context) {}

std::string InlineAssembler::Line(std::int32_t line) const {
    return ctx_.Editor().LineText(line) + "\n";
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
        ctx_.Write(text);
        next = editor.LineStart(line + 2);
    } else {
        const std::int32_t last = editor.LineFromPosition(editor.Length());
        for (;;) {
            ++line;
            if (line > last) break;  // no "}": the block runs to the end of the text
            text = Line(line);
            if (text.find('}') != std::string::npos) break;
            ctx_.Write(text);
        }
        next = editor.LineStart(line + 1);
    }
    ctx_.Reader().StartAt(next);
}

}  // namespace orvane::compiler
