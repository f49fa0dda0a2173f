// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace orvane::app::editor {

// The lines of a script with their formats, as the indentation reads them upwards.
class CodeLines {
public:
    virtual ~CodeLines() = default;
    virtual std::string Text(int line) const = 0;
    // One format byte per byte of Text(line).
    virtual std::string Styles(int line) const = 0;
};

// Indentation by spaces: Enter indents from the line before and its open braces, "}" lines up
// with the line of its "{". Braces inside comments, strings and directives do not count.
class Indenter {
public:
    static int LeadingSpaces(std::string_view line);

    // The indent of a new line after `previous`: its leading spaces plus `tabSize` for each "{"
    // not closed again on that line; a line of spaces only gives none.
    static int IndentAfter(std::string_view previous, std::string_view styles, int tabSize);

    // The leading spaces of the line that holds the "{" matching the last unmatched "}" of
    // `line`, searching upwards and counting braces from the right of each line; none when
    // nothing matches.
    static std::optional<int> ClosingIndent(const CodeLines& lines, int line);
};

}  // namespace orvane::app::editor
