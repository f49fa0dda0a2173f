#include "core/script/StatementReader.h"

namespace orvane::script {

namespace {

constexpr int kEnd = -1;

bool IsBlank(int ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; }

bool EndsElse(int ch) { return ch == '/' || ch == '{' || ch == ';' || IsBlank(ch); }

bool StartsWithIf(const std::string& text) { return text.compare(0, 3, "if(") == 0; }

}  // namespace

// One pass over the characters, each read once: the statement costs time linear in its length
// whatever it holds (unclosed comments, unbalanced brackets and stray "}" included).
std::string StatementReader::ReadStatement(std::int32_t limit) {
    if (limit != -1 && statementStart >= limit) return {};

    std::string text;
    std::int32_t pos = statementStart;
    int braces = 0;
    int parens = 0;
    bool closedTooMany = false;

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
                    if (pos == statementStart + 1) statementStart = pos;
                    return;
                }
        }
        text.push_back(static_cast<char>(ch));
    };

    for (;;) {
        int ch = CharAt(pos++);
        if (text == "else" && EndsElse(ch)) text.push_back('/');

        if (ch == '/') {
            const int next = CharAt(pos++);
            if (next == '/') {
                int c;
                do c = CharAt(pos++);
                while (c != '\n' && c != '\r' && c != kEnd);
                if (text.empty()) statementStart = pos;
            } else if (next == '*') {
                for (;;) {
                    const int c = CharAt(pos++);
                    if (c == kEnd) break;
                    if (c == '*' && CharAt(pos) == '/') {
                        ++pos;
                        break;
                    }
                }
                if (text.empty()) statementStart = pos;
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
        if (ch == ':' && text != "Var:") {
            if (balanced) break;
        } else if (ch == ';' || ch == '}') {
            if (balanced) break;
        } else if (StartsWithIf(text) && balanced) {
            break;
        }
    }
    statementEnd = pos;
    return text;
}

}  // namespace orvane::script
