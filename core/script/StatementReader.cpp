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

        if (ch == '/') {
            const int next = CharAt(pos++);
            if (next == '/') {
                int c;
                do c = CharAt(pos++);
                while (c != '\n' && c != '\r' && c != kEnd);
                if (nothingYet()) span_.start = pos;
            } else if (next == '*') {
                for (;;) {
                    const int c = CharAt(pos++);
                    if (c == kEnd) break;
                    if (c == '*' && CharAt(pos) == '/') {
                        ++pos;
                        break;
                    }
                }
                if (nothingYet()) span_.start = pos;
            } else {
                text.push_back('/');
                take(next);
                ch = next;
            }
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

std::int32_t StatementReader::PastClosingParen(std::int32_t from, std::int32_t end) const {
    std::int32_t open = from;
    while (open < end && CharAt(open) != '(') ++open;
    const std::int32_t close =
        ClosingParen([this](std::int32_t i) { return CharAt(i); }, open, end);
    return close == end ? end : close + 1;
}

}  // namespace orvane::script
