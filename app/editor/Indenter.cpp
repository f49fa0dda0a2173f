// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/Indenter.h"

#include "app/editor/SyntaxFormat.h"

namespace orvane::app::editor {

namespace {
bool IsCode(std::string_view styles, std::size_t i) {
    return i < styles.size() && styles[i] == StyleByte(Format::Plain);
}
}  // namespace

int Indenter::LeadingSpaces(std::string_view line) {
    const std::size_t n = line.find_first_not_of(' ');
    return static_cast<int>(n == std::string_view::npos ? line.size() : n);
}

int Indenter::IndentAfter(std::string_view previous, std::string_view styles, int tabSize) {
    if (previous.find_first_not_of(' ') == std::string_view::npos) return 0;
    int open = 0;
    for (std::size_t i = 0; i < previous.size(); ++i) {
        if (!IsCode(styles, i)) continue;
        if (previous[i] == '{') ++open;
        else if (previous[i] == '}' && open > 0) --open;
    }
    return LeadingSpaces(previous) + open * tabSize;
}

std::optional<int> Indenter::ClosingIndent(const CodeLines& lines, int line) {
    int depth = 0;
    for (int n = line; n >= 0; --n) {
        const std::string text = lines.Text(n);
        const std::string styles = lines.Styles(n);
        for (std::size_t i = text.size(); i-- > 0;) {
            if (!IsCode(styles, i)) continue;
            if (text[i] == '}') {
                ++depth;
            } else if (text[i] == '{' && depth > 0 && --depth == 0) {
                return LeadingSpaces(text);
            }
        }
        if (depth == 0) return std::nullopt;  // the line holds no "}" to match
    }
    return std::nullopt;
}

}  // namespace orvane::app::editor
