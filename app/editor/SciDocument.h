// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

class QsciScintilla;

namespace orvane::app::editor {

// The few editor messages the colouring, completion and indentation use, in byte positions of
// the editor's UTF-8 text, so the callers read as plain code rather than message numbers.
class SciDocument {
public:
    explicit SciDocument(QsciScintilla& sci) : sci_(sci) {}

    long Length() const;
    long LineOf(long pos) const;
    long LineStart(long line) const;
    // The end of the line's text, before its line end.
    long LineEnd(long line) const;
    // The text between two positions; valid until the next change of the text.
    std::string_view Range(long from, long to) const;
    std::string_view LineText(long line) const { return Range(LineStart(line), LineEnd(line)); }
    std::string Styles(long from, long to) const;
    int StyleAt(long pos) const;
    char CharAt(long pos) const;

    long Caret() const;
    long Anchor() const;
    void Select(long anchor, long caret);
    void Insert(long pos, const std::string& text);
    void Delete(long from, long to);
    void ReplaceSelection(const std::string& text);

private:
    long Send(unsigned int msg, long w = 0, long l = 0) const;
    QsciScintilla& sci_;
};

}  // namespace orvane::app::editor
