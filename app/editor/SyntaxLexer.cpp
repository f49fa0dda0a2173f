// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/SyntaxLexer.h"

#include <QColor>
#include <QFontDatabase>
#include <Qsci/qsciscintilla.h>
#include <string>

#include "app/editor/SciDocument.h"

namespace orvane::app::editor {

namespace {
using Sci = QsciScintillaBase;

bool IsFormat(int style) { return style >= 0 && style < kFormatCount; }
}  // namespace

SyntaxLexer::SyntaxLexer(const Dictionaries& words, QObject* parent)
    : QsciLexerCustom(parent), colourer_(words) {}

QString SyntaxLexer::description(int style) const {
    static const char* const kNames[kFormatCount] = {
        "Komentarz blokowy", "Komentarz liniowy", "Tekst", "Znak", "Zwykły tekst", "Dyrektywa",
        "Słowo kluczowe", "Typ", "Stała", "Liczba", "Podpowiedź"};
    return IsFormat(style) ? QString::fromUtf8(kNames[style]) : QString();
}

QColor SyntaxLexer::defaultColor(int style) const {
    if (!IsFormat(style)) return QsciLexerCustom::defaultColor(style);
    const FormatLook look = kFormatLooks[static_cast<std::size_t>(style)];
    return QColor(look.red, look.green, look.blue);
}

QColor SyntaxLexer::defaultPaper(int style) const {
    if (style == static_cast<int>(Format::CallTip)) return QColor(255, 255, 192);
    return QColor(Qt::white);
}

QFont SyntaxLexer::defaultFont(int style) const {
    return FontOf(IsFormat(style) ? static_cast<Format>(style) : Format::Plain);
}

const char* SyntaxLexer::wordCharacters() const {
    return "_0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
}

QString SyntaxLexer::FaceName() {
    static const QString face = [] {
        const QStringList families = QFontDatabase::families();
        for (const char* name : {"Verdana", "DejaVu Sans"}) {
            if (families.contains(QString::fromLatin1(name))) return QString::fromLatin1(name);
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return face;
}

QFont SyntaxLexer::FontOf(Format format) {
    const FormatLook look = LookOf(format);
    QFont font(FaceName(), look.pointSize);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(look.bold);
    return font;
}

bool SyntaxLexer::LineContinuesComment(long line) {
    if (line <= 0 || !editor()) return false;
    EnsureColouredTo(SciDocument(*editor()).LineStart(line));
    return ColouredLineContinuesComment(line);
}

// The line end before `line` is coloured already.
bool SyntaxLexer::ColouredLineContinuesComment(long line) const {
    if (line <= 0) return false;
    const SciDocument doc(*editor());
    return LineColourer::ContinuesComment(static_cast<char>(doc.StyleAt(doc.LineStart(line) - 1)));
}

void SyntaxLexer::styleText(int start, int end) {
    if (!editor()) return;
    const SciDocument doc(*editor());
    const long firstLine = doc.LineOf(start);
    const long from = doc.LineStart(firstLine);
    const long to = doc.LineStart(doc.LineOf(end > start ? end - 1 : start) + 1);
    const std::string_view text = doc.Range(from, to);
    if (text.empty()) return;
    std::string styles(text.size(), '\0');
    colourer_.ColourLines(text, ColouredLineContinuesComment(firstLine), styles.data());
    editor()->SendScintilla(Sci::SCI_STARTSTYLING, from);
    editor()->SendScintilla(Sci::SCI_SETSTYLINGEX, static_cast<uintptr_t>(styles.size()), styles.data());
}

void SyntaxLexer::RecolourAll() {
    if (!editor()) return;
    editor()->SendScintilla(Sci::SCI_STARTSTYLING, 0L);
    editor()->viewport()->update();
}

void SyntaxLexer::EnsureColouredTo(long pos) {
    if (!editor()) return;
    const long styled = editor()->SendScintilla(Sci::SCI_GETENDSTYLED);
    if (styled < pos) editor()->SendScintilla(Sci::SCI_COLOURISE, styled, pos);
}

}  // namespace orvane::app::editor
