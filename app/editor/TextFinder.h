// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

class QsciScintilla;

namespace orvane::app::editor {

struct SearchOptions {
    std::string text;         // UTF-8, as the editor holds it
    std::string replacement;  // UTF-8
    bool matchCase = false;
    bool wholeWord = false;
    bool backwards = false;
};

// Find and replace in the editor's text. A search starts at the selection and wraps round the
// end (or the start, backwards) once; a match is selected and scrolled into view. Case is
// compared as Unicode folds it, so "ŁÓDŹ" matches "łódź"; a whole word has no letter, digit or
// "_" on either side.
class TextFinder {
public:
    enum class Result { Found, FoundAfterWrap, NotFound };

    explicit TextFinder(QsciScintilla& sci) : sci_(sci) {}

    Result FindNext(const SearchOptions& options);
    // Replaces the selection when it is a match, then finds the next one. A read-only text (a
    // run is going on) is searched but never changed.
    Result Replace(const SearchOptions& options);
    // Every match in the text, as one undoable change; returns how many were replaced.
    int ReplaceAll(const SearchOptions& options);

private:
    struct Match {
        long from, to;  // byte positions
    };
    // Every match, left to right, none overlapping another.
    std::vector<Match> Matches(const SearchOptions& options) const;
    void Show(const Match& match);

    QsciScintilla& sci_;
};

}  // namespace orvane::app::editor
