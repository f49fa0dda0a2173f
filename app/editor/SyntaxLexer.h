// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>
#include <Qsci/qscilexercustom.h>

#include "app/editor/LineColourer.h"
#include "app/editor/SyntaxFormat.h"

namespace orvane::app::editor {

class Dictionaries;

// The script colouring as the editor's lexer: a thin adapter that hands whole lines to the
// LineColourer. The editor asks for styles only from its first unstyled line down to the last
// line it paints, so an edit costs the lines from it to the bottom of the window, however long
// the script; lines further down are coloured when they come into view.
class SyntaxLexer : public QsciLexerCustom {
    Q_OBJECT

public:
    SyntaxLexer(const Dictionaries& words, QObject* parent = nullptr);

    const char* language() const override { return "ORVANE"; }
    QString description(int style) const override;
    QColor defaultColor(int style) const override;
    QColor defaultPaper(int style) const override;
    QFont defaultFont(int style) const override;
    int braceStyle() const override { return static_cast<int>(Format::Plain); }
    const char* wordCharacters() const override;
    void styleText(int start, int end) override;

    // The face of every format: Verdana where the system has it, else a close sans-serif.
    static QString FaceName();
    static QFont FontOf(Format format);

    // Forgets every colour, so the text is coloured again from its first line as it is shown.
    void RecolourAll();
    // Colours the text up to `pos` unless it is already.
    void EnsureColouredTo(long pos);
    // Whether `line` starts inside a block comment, read from the format of the line end before.
    bool LineContinuesComment(long line);

    const LineColourer& Colourer() const { return colourer_; }

private:
    bool ColouredLineContinuesComment(long line) const;

    LineColourer colourer_;
};

}  // namespace orvane::app::editor
