#pragma once
#include <cstdint>
#include <string>

#include "core/host/EditorText.h"

namespace orvane::script {

// Reads the script one statement at a time straight from the editor's text: blanks and comments
// dropped, the terminator kept, "else" marked as "else/". Shared by the interpreter and the
// compiler, which both move `statementStart` on to `statementEnd` after each statement.
class StatementReader {
public:
    explicit StatementReader(const host::EditorText& text) : text_(&text) {}

    // The next statement from `statementStart`, reading no further than one character past
    // `limit` (-1: no limit). Moves `statementStart` over leading blanks and comments and sets
    // `statementEnd` just after the last character consumed. At the end of the text the
    // statement is the single character 0xFF.
    std::string ReadStatement(std::int32_t limit);

    // The character at `pos`: a signed 8-bit value, -1 at or past the end (and for 0xFF).
    int CharAt(std::int32_t pos) const { return text_->CharAt(pos); }
    std::int32_t TextLength() const { return text_->Length(); }
    const host::EditorText& Text() const { return *text_; }
    void SetText(const host::EditorText& text) { text_ = &text; }

    std::int32_t statementStart = 0;
    std::int32_t statementEnd = 0;

private:
    const host::EditorText* text_;
};

}  // namespace orvane::script
