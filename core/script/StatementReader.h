// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

#include "core/host/EditorText.h"
#include "core/script/Statement.h"

namespace orvane::script {

// Reads the script one statement at a time straight from the editor's text, and owns the place
// it reads at: the span of the statement last read. The interpreter and the compiler move it
// only through the calls below (on to the next statement, a jump, a saved place put back).
class StatementReader {
public:
    explicit StatementReader(const host::EditorText& text) : text_(&text) {}

    // The next statement from Start(), reading no further than one character past `limit`
    // (-1: no limit). Moves the start over leading blanks and comments and sets the end just
    // after the last character consumed. At the end of the text the statement is the single
    // character 0xFF. At or past a limit nothing is read: an empty statement, the end unchanged.
    Statement ReadStatement(std::int32_t limit);

    std::int32_t Start() const { return span_.start; }
    std::int32_t End() const { return span_.end; }
    StatementSpan Span() const { return span_; }

    // On to the statement after the one just read.
    void Next() { span_.start = span_.end; }
    // The next read starts at `position`; the end of the last statement stays as it was.
    void JumpTo(std::int32_t position) { span_.start = position; }
    // The next read starts at the end of the text: a run ends at its next tick.
    void JumpToEnd() { span_.start = TextLength(); }
    // Reading starts afresh at `position`, as though a statement had just ended there.
    void StartAt(std::int32_t position) { span_ = {position, position}; }
    // A place saved before (entering a block, a call) is taken up again.
    void Restore(StatementSpan span) { span_ = span; }

    // Just past the ")" that balances the first "(" at or after `from`, looking no further than
    // `end`; `end` when nothing balances it. Brackets inside comments do not count.
    std::int32_t PastClosingParen(std::int32_t from, std::int32_t end) const;

    // The character at `pos`: a signed 8-bit value, -1 at or past the end (and for 0xFF).
    int CharAt(std::int32_t pos) const { return text_->CharAt(pos); }
    std::int32_t TextLength() const { return text_->Length(); }
    const host::EditorText& Text() const { return *text_; }
    void SetText(const host::EditorText& text) { text_ = &text; }

private:
    bool StartsComment(std::int32_t pos) const;
    // Just past the comment that starts at `at`.
    std::int32_t PastComment(std::int32_t at) const;

    const host::EditorText* text_;
    StatementSpan span_;
};

}  // namespace orvane::script
