// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/SciDocument.h"

#include <Qsci/qsciscintilla.h>

namespace orvane::app::editor {

namespace {
using Sci = QsciScintillaBase;
}

long SciDocument::Send(unsigned int msg, long w, long l) const {
    return sci_.SendScintilla(msg, static_cast<unsigned long>(w), l);
}

long SciDocument::Length() const { return Send(Sci::SCI_GETLENGTH); }
long SciDocument::LineOf(long pos) const { return Send(Sci::SCI_LINEFROMPOSITION, pos); }

long SciDocument::LineStart(long line) const {
    const long pos = Send(Sci::SCI_POSITIONFROMLINE, line);
    return pos < 0 ? Length() : pos;
}

long SciDocument::LineEnd(long line) const { return Send(Sci::SCI_GETLINEENDPOSITION, line); }

std::string_view SciDocument::Range(long from, long to) const {
    if (to <= from) return {};
    const auto* p = reinterpret_cast<const char*>(Send(Sci::SCI_GETRANGEPOINTER, from, to - from));
    return p ? std::string_view(p, static_cast<std::size_t>(to - from)) : std::string_view();
}

std::string SciDocument::Styles(long from, long to) const {
    if (to <= from) return {};
    // Characters and formats come interleaved, with two terminating zero bytes.
    std::string styled(static_cast<std::size_t>(to - from) * 2 + 2, '\0');
    sci_.SendScintilla(Sci::SCI_GETSTYLEDTEXT, from, to, styled.data());
    std::string styles(static_cast<std::size_t>(to - from), '\0');
    for (std::size_t i = 0; i < styles.size(); ++i) styles[i] = styled[2 * i + 1];
    return styles;
}

int SciDocument::StyleAt(long pos) const { return static_cast<int>(Send(Sci::SCI_GETSTYLEAT, pos)); }
char SciDocument::CharAt(long pos) const { return static_cast<char>(Send(Sci::SCI_GETCHARAT, pos)); }
long SciDocument::Caret() const { return Send(Sci::SCI_GETCURRENTPOS); }
long SciDocument::Anchor() const { return Send(Sci::SCI_GETANCHOR); }
void SciDocument::Select(long anchor, long caret) { Send(Sci::SCI_SETSEL, anchor, caret); }

void SciDocument::Insert(long pos, const std::string& text) {
    sci_.SendScintilla(Sci::SCI_INSERTTEXT, static_cast<uintptr_t>(pos), text.c_str());
}

void SciDocument::Delete(long from, long to) {
    if (to > from) Send(Sci::SCI_DELETERANGE, from, to - from);
}

void SciDocument::ReplaceSelection(const std::string& text) {
    sci_.SendScintilla(Sci::SCI_REPLACESEL, static_cast<uintptr_t>(0), text.c_str());
}

}  // namespace orvane::app::editor
