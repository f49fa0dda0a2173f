// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/LineColourer.h"

#include <cstring>

#include "app/editor/Dictionaries.h"
#include "core/host/AsciiText.h"

namespace orvane::app::editor {

namespace {

using orvane::host::IsWordChar;

// The first mark that starts a construct in plain text at or after `from`, or npos.
std::size_t FindMark(std::string_view line, std::size_t from, LexState& state) {
    for (std::size_t i = from; i < line.size(); ++i) {
        switch (line[i]) {
        case '\'': state = LexState::Character; return i;
        case '"': state = LexState::String; return i;
        case '#': state = LexState::Directive; return i;
        case '/':
            if (i + 1 < line.size() && line[i + 1] == '*') { state = LexState::BlockComment; return i; }
            if (i + 1 < line.size() && line[i + 1] == '/') { state = LexState::LineComment; return i; }
            break;
        default: break;
        }
    }
    return std::string_view::npos;
}

// One stretch of a line in one state.
struct Stretch {
    std::size_t begin, end;
    LexState state;
};

struct StyleSink {
    const Dictionaries& words;
    char* styles;

    void operator()(const Stretch& s, std::string_view line) const {
        switch (s.state) {
        case LexState::Plain: ColourWords(line, s.begin, s.end); return;
        case LexState::LineComment: Fill(s, Format::LineComment); return;
        case LexState::BlockComment: Fill(s, Format::BlockComment); return;
        case LexState::String: Fill(s, Format::String); return;
        case LexState::Character: Fill(s, Format::Character); return;
        case LexState::Directive: Fill(s, Format::Directive); return;
        }
    }
    void Fill(const Stretch& s, Format f) const { std::memset(styles + s.begin, StyleByte(f), s.end - s.begin); }

    // Words are runs of a-z, A-Z, 0-9 and "_"; everything else, bytes beyond ASCII included,
    // separates them.
    void ColourWords(std::string_view line, std::size_t begin, std::size_t end) const {
        std::memset(styles + begin, StyleByte(Format::Plain), end - begin);
        std::size_t i = begin;
        while (i < end) {
            if (!IsWordChar(line[i])) { ++i; continue; }
            std::size_t j = i;
            while (j < end && IsWordChar(line[j])) ++j;
            const Format f = words.Classify(line.substr(i, j - i));
            if (f != Format::Plain) std::memset(styles + i, StyleByte(f), j - i);
            i = j;
        }
    }
};

}  // namespace

bool LineColourer::ColourLine(std::string_view line, bool startsInComment, char* styles) const {
    const StyleSink sink{words_, styles};
    const std::size_t n = line.size();
    std::size_t pos = 0;
    LexState state = startsInComment ? LexState::BlockComment : LexState::Plain;
    // A continued comment is searched for "*/" from its first character (a line may start by
    // closing it); after "/*" on the same line, from behind the opening mark, so "/*/" stays open.
    bool opened = false;
    while (pos < n) {
        switch (state) {
        case LexState::Plain: {
            LexState next = LexState::Plain;
            const std::size_t mark = FindMark(line, pos, next);
            const std::size_t end = mark == std::string_view::npos ? n : mark;
            if (end > pos) sink(Stretch{pos, end, LexState::Plain}, line);
            pos = end;
            state = next;
            opened = true;
            break;
        }
        case LexState::LineComment:
            sink(Stretch{pos, n, state}, line);
            pos = n;
            break;
        case LexState::BlockComment: {
            const std::size_t close = line.find("*/", opened ? pos + 2 : pos);
            if (close == std::string_view::npos) {
                sink(Stretch{pos, n, state}, line);
                return true;
            }
            sink(Stretch{pos, close + 2, state}, line);
            pos = close + 2;
            state = LexState::Plain;
            break;
        }
        case LexState::String:
        case LexState::Character: {
            const char quote = state == LexState::String ? '"' : '\'';
            const std::size_t close = line.find(quote, pos + 1);
            const std::size_t end = close == std::string_view::npos ? n : close + 1;
            sink(Stretch{pos, end, state}, line);
            pos = end;
            state = LexState::Plain;
            break;
        }
        case LexState::Directive: {
            std::size_t end = line.find_first_of(" \t", pos);
            if (end == std::string_view::npos) end = n;
            sink(Stretch{pos, end, state}, line);
            // The blank that ends a directive is plain and starts no word.
            if (end < n) sink(Stretch{end, end + 1, LexState::Plain}, line);
            pos = end < n ? end + 1 : n;
            state = LexState::Plain;
            break;
        }
        }
    }
    return state == LexState::BlockComment;  // an empty line inside a comment carries it on
}

bool LineColourer::ColourLines(std::string_view text, bool startsInComment, char* styles) const {
    bool inComment = startsInComment;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        inComment = ColourLine(text.substr(start, end - start), inComment, styles + start);
        if (end == text.size()) break;
        const std::size_t eolLength = text.substr(end, 2) == "\r\n" ? 2 : 1;
        std::memset(styles + end, LineEndStyle(inComment), eolLength);
        start = end + eolLength;
    }
    return inComment;
}

std::string LineColourer::ColourText(std::string_view text) const {
    std::string styles(text.size(), StyleByte(Format::Plain));
    ColourLines(text, false, styles.data());
    return styles;
}

}  // namespace orvane::app::editor
