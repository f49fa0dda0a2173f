// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "app/editor/SyntaxFormat.h"

namespace orvane::app::editor {

class Dictionaries;

// The colouring of one line of a script, free of any widget. A line starts plain, or inside a
// block comment when the line before ended in one; nothing else crosses a line end, so that one
// fact, kept in the format of the line end itself, is all the colouring needs from the lines
// above. Each line is read once, in time linear in its length.
class LineColourer {
public:
    explicit LineColourer(const Dictionaries& words) : words_(words) {}

    // Writes one format byte per byte of `line` (text without its line end) to `styles` and
    // says whether the line ends inside a block comment.
    bool ColourLine(std::string_view line, bool startsInComment, char* styles) const;

    // The whole text coloured from its first line, line ends included (a line end takes the
    // block-comment format when the comment goes on, plain otherwise): what any sequence of
    // edits must end with. Lines end at "\r\n", "\n" or a lone "\r".
    std::string ColourText(std::string_view text) const;

    // Colours whole lines, line ends included, from a line start to the end of `text`;
    // `startsInComment` tells whether the first line continues a comment. Says whether the
    // last line ends inside one.
    bool ColourLines(std::string_view text, bool startsInComment, char* styles) const;

    // The format a line end carries, and the reverse: whether a line continues a comment.
    static char LineEndStyle(bool endsInComment) {
        return StyleByte(endsInComment ? Format::BlockComment : Format::Plain);
    }
    static bool ContinuesComment(char previousLineEndStyle) {
        return previousLineEndStyle == StyleByte(Format::BlockComment);
    }

private:
    const Dictionaries& words_;
};

}  // namespace orvane::app::editor
