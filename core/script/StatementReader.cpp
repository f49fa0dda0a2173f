// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/StatementReader.h"

#include "core/script/ClosingParen.h"

namespace orvane::script {

namespace {

constexpr int kEnd = -1;

bool IsBlank(int ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; }

bool EndsElse(int ch) { return ch == '/' || ch == '{' || ch == ';' || IsBlank(ch); }

bool StartsWithIf(const std::string& text) { return text.compare(0, 3, "if(") == 0; }

}  // namespace

// One pass over the characters, each read once: the statement costs time linear in its length
// whatever it holds (unclosed comments, unbalanced brackets and stray "}" included). An else
// ends where the word and its branch would end together: never at the ":" of "Var:" nor right
// after an "if(...)" that follows the word.
Statement StatementReader::ReadStatement(std::int32_t limit) {
    Statement statement;
    if (limit != -1 && span_.start >= limit) return statement;

    std::string& text = statement.text;
    std::int32_t pos = span_.start;
    int braces = 0;
    int parens = 0;
    bool closedTooMany = false;
    const auto nothingYet = [&] { return text.empty() && !statement.isElse; };

    // Appends one character, counting brackets; blanks are dropped (leading ones move the start).
    auto take = [&](int ch) {
        switch (ch) {
            case '{': ++braces; break;
            case '}':
                if (--braces < 0) closedTooMany = true;
                break;
            case '(': ++parens; break;
            case ')': --parens; break;
            default:
                if (IsBlank(ch)) {
                    if (pos == span_.start + 1) span_.start = pos;
                    return;
                }
        }
        text.push_back(static_cast<char>(ch));
    };

    for (;;) {
        int ch = CharAt(pos++);
        if (!statement.isElse && text == "else" && EndsElse(ch)) {
            statement.isElse = true;
            statement.elseBranch = pos - 1;
            text.clear();
        }

        if (StartsComment(pos - 1)) {
            pos = PastComment(pos - 1);
            if (nothingYet()) span_.start = pos;
        } else if (ch == '/') {
            const int next = CharAt(pos++);
            text.push_back('/');
            take(next);
            ch = next;
        } else {
            take(ch);
        }
        if (closedTooMany) break;

        const bool balanced = braces == 0 && parens == 0;
        if ((limit > 0 && pos > limit) || ch == kEnd) break;
        if (ch == ':' && (statement.isElse || text != "Var:")) {
            if (balanced) break;
        } else if (ch == ';' || ch == '}') {
            if (balanced) break;
        } else if (!statement.isElse && StartsWithIf(text) && balanced) {
            break;
        }
    }
    span_.end = pos;
    return statement;
}

// Comments are passed over as the reader passes them: a bracket inside one counts for nothing.
std::int32_t StatementReader::PastClosingParen(std::int32_t from, std::int32_t end) const {
    std::int32_t commentEnd = from;
    const auto significant = [&](std::int32_t i) {
        if (i < commentEnd) return int{' '};
        if (StartsComment(i)) {
            commentEnd = PastComment(i);
            return int{' '};
        }
        return CharAt(i);
    };
    std::int32_t open = from;
    while (open < end && significant(open) != '(') ++open;
    const std::int32_t close = ClosingParen(significant, open, end);
    return close == end ? end : close + 1;
}

bool StatementReader::StartsComment(std::int32_t pos) const {
    return CharAt(pos) == '/' && (CharAt(pos + 1) == '/' || CharAt(pos + 1) == '*');
}

// A line comment takes its line break along, a block comment its "*/"; either ends at the end of
// the text, whose end mark it consumes too.
std::int32_t StatementReader::PastComment(std::int32_t at) const {
    std::int32_t pos = at + 2;
    if (CharAt(at + 1) == '/') {
        int c;
        do c = CharAt(pos++);
        while (c != '\n' && c != '\r' && c != kEnd);
        return pos;
    }
    for (;;) {
        const int c = CharAt(pos++);
        if (c == kEnd) return pos;
        if (c == '*' && CharAt(pos) == '/') return pos + 1;
    }
}

}  // namespace orvane::script
