// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/TextFinder.h"

#include <QChar>
#include <Qsci/qsciscintilla.h>
#include <algorithm>

#include "app/editor/SciDocument.h"
#include "core/host/Cp1250.h"

namespace orvane::app::editor {

namespace {

using Sci = QsciScintillaBase;

// Code points of UTF-8 text, folded unless case matters, with the byte position of each and
// one more for the end.
struct CodePoints {
    std::u32string chars;
    std::vector<long> bytes;
};

CodePoints Decode(std::string_view utf8, bool matchCase) {
    CodePoints out;
    out.chars.reserve(utf8.size());
    out.bytes.reserve(utf8.size() + 1);
    std::size_t i = 0;
    while (i < utf8.size()) {
        out.bytes.push_back(static_cast<long>(i));
        const std::uint32_t cp = orvane::host::NextUtf8CodePoint(utf8, i);
        out.chars.push_back(matchCase ? cp : QChar::toCaseFolded(cp));
    }
    out.bytes.push_back(static_cast<long>(utf8.size()));
    return out;
}

bool IsWordCharacter(char32_t c) { return c == U'_' || QChar::isLetterOrNumber(c); }

}  // namespace

std::vector<TextFinder::Match> TextFinder::Matches(const SearchOptions& options) const {
    std::vector<Match> found;
    if (options.text.empty()) return found;
    const SciDocument doc(sci_);
    const CodePoints text = Decode(doc.Range(0, doc.Length()), options.matchCase);
    const std::u32string needle = Decode(options.text, options.matchCase).chars;
    const std::size_t n = needle.size();
    auto it = text.chars.begin();
    while ((it = std::search(it, text.chars.end(), needle.begin(), needle.end())) != text.chars.end()) {
        const auto at = static_cast<std::size_t>(it - text.chars.begin());
        const bool whole = (at == 0 || !IsWordCharacter(text.chars[at - 1])) &&
                           (at + n == text.chars.size() || !IsWordCharacter(text.chars[at + n]));
        if (options.wholeWord && !whole) {
            ++it;
            continue;
        }
        found.push_back({text.bytes[at], text.bytes[at + n]});
        it += static_cast<std::ptrdiff_t>(n);
    }
    return found;
}

void TextFinder::Show(const Match& match) {
    SciDocument doc(sci_);
    sci_.SendScintilla(Sci::SCI_ENSUREVISIBLEENFORCEPOLICY, static_cast<unsigned long>(doc.LineOf(match.from)));
    doc.Select(match.from, match.to);
    sci_.SendScintilla(Sci::SCI_SCROLLRANGE, static_cast<unsigned long>(match.to), match.from);
}

TextFinder::Result TextFinder::FindNext(const SearchOptions& options) {
    const std::vector<Match> matches = Matches(options);
    if (matches.empty()) return Result::NotFound;
    const SciDocument doc(sci_);
    const long start = std::min(doc.Anchor(), doc.Caret());
    const long end = std::max(doc.Anchor(), doc.Caret());
    if (options.backwards) {
        const auto before = std::find_if(matches.rbegin(), matches.rend(), [&](const Match& m) { return m.to <= start; });
        Show(before != matches.rend() ? *before : matches.back());
        return before != matches.rend() ? Result::Found : Result::FoundAfterWrap;
    }
    const auto after = std::find_if(matches.begin(), matches.end(), [&](const Match& m) { return m.from >= end; });
    Show(after != matches.end() ? *after : matches.front());
    return after != matches.end() ? Result::Found : Result::FoundAfterWrap;
}

TextFinder::Result TextFinder::Replace(const SearchOptions& options) {
    SciDocument doc(sci_);
    const long start = std::min(doc.Anchor(), doc.Caret());
    const long end = std::max(doc.Anchor(), doc.Caret());
    const std::vector<Match> matches = Matches(options);
    const bool selected = !sci_.isReadOnly() && std::any_of(matches.begin(), matches.end(),
                                      [&](const Match& m) { return m.from == start && m.to == end; });
    if (selected && start != end) {
        doc.ReplaceSelection(options.replacement);
        // Go on from behind the new text (from before it, backwards), so it is not found again.
        const long next = options.backwards ? start : start + static_cast<long>(options.replacement.size());
        doc.Select(next, next);
    }
    return FindNext(options);
}

int TextFinder::ReplaceAll(const SearchOptions& options) {
    if (sci_.isReadOnly()) return 0;
    const std::vector<Match> matches = Matches(options);
    if (matches.empty()) return 0;
    // From the last match back, so the positions of the others still hold.
    sci_.SendScintilla(Sci::SCI_BEGINUNDOACTION);
    for (auto it = matches.rbegin(); it != matches.rend(); ++it) {
        sci_.SendScintilla(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(it->from), it->to);
        sci_.SendScintilla(Sci::SCI_REPLACETARGET, static_cast<uintptr_t>(options.replacement.size()),
                           options.replacement.c_str());
    }
    sci_.SendScintilla(Sci::SCI_ENDUNDOACTION);
    return static_cast<int>(matches.size());
}

}  // namespace orvane::app::editor
