// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/EditorFeatures.h"

#include <Qsci/qsciscintilla.h>

#include "app/editor/EditorAssist.h"
#include "app/editor/FindReplaceDialog.h"
#include "app/editor/SciDocument.h"
#include "app/editor/SyntaxLexer.h"
#include "app/editor/TextFinder.h"

namespace orvane::app::editor {

namespace {
using Sci = QsciScintillaBase;
constexpr int kLineNumberMargin = 0;
}  // namespace

EditorFeatures::EditorFeatures(QsciScintilla& sci, const Dictionaries& words)
    : QObject(&sci),
      sci_(sci),
      lexer_(new SyntaxLexer(words, this)),
      finder_(std::make_unique<TextFinder>(sci)) {
    // The editor's own helpers would act on the same keys as ours.
    sci_.setAutoIndent(false);
    sci_.setAutoCompletionSource(QsciScintilla::AcsNone);
    sci_.setCallTipsStyle(QsciScintilla::CallTipsNone);
    sci_.setLexer(lexer_);
    assist_ = new EditorAssist(sci_, *lexer_, words);

    sci_.setBraceMatching(QsciScintilla::SloppyBraceMatch);
    sci_.setMatchedBraceBackgroundColor(QColor(198, 232, 198));
    sci_.setMatchedBraceForegroundColor(QColor(0, 0, 0));
    sci_.setUnmatchedBraceBackgroundColor(QColor(255, 210, 210));
    sci_.setUnmatchedBraceForegroundColor(QColor(200, 0, 0));

    sci_.setMarginType(kLineNumberMargin, QsciScintilla::NumberMargin);
    sci_.setMarginLineNumbers(kLineNumberMargin, true);
    sci_.setMarginsFont(SyntaxLexer::FontOf(Format::Plain));
    ShowLineNumbers();
    connect(&sci_, &QsciScintilla::linesChanged, this, &EditorFeatures::ShowLineNumbers);
    connect(&sci_, &QsciScintillaBase::SCN_ZOOM, this, &EditorFeatures::ShowLineNumbers);
}

EditorFeatures::~EditorFeatures() = default;

void EditorFeatures::SetTabSize(int size) { assist_->SetTabSize(size); }

void EditorFeatures::RecolourAll() { lexer_->RecolourAll(); }

// Room for the longest line number and one digit more, at the current zoom.
void EditorFeatures::ShowLineNumbers() {
    const QString digits(QString::number(sci_.lines()).size() + 1, QLatin1Char('9'));
    sci_.setMarginWidth(kLineNumberMargin, digits);
}

FindReplaceDialog& EditorFeatures::SearchDialog() {
    if (!dialog_) dialog_ = new FindReplaceDialog(*finder_, sci_.window());
    return *dialog_;
}

void EditorFeatures::OpenSearch(bool replacing) {
    // The selection, or else the word at the caret, is what the user most likely looks for.
    SciDocument doc(sci_);
    long from = std::min(doc.Anchor(), doc.Caret());
    long to = std::max(doc.Anchor(), doc.Caret());
    if (from == to) {
        from = sci_.SendScintilla(Sci::SCI_WORDSTARTPOSITION, static_cast<unsigned long>(from), 1L);
        to = sci_.SendScintilla(Sci::SCI_WORDENDPOSITION, static_cast<unsigned long>(to), 1L);
    }
    QString text;
    if (doc.LineOf(from) == doc.LineOf(to)) {
        const std::string_view selected = doc.Range(from, to);
        text = QString::fromUtf8(selected.data(), static_cast<qsizetype>(selected.size()));
    }
    SearchDialog().Open(replacing, text);
}

void EditorFeatures::Find() { OpenSearch(false); }
void EditorFeatures::Replace() { OpenSearch(true); }

void EditorFeatures::FindNext() {
    FindReplaceDialog& dialog = SearchDialog();
    if (!dialog.HasSearchText()) {
        OpenSearch(false);
        return;
    }
    // Nothing found with the window closed: it opens to say so.
    if (dialog.FindNext() == TextFinder::Result::NotFound && !dialog.isVisible()) dialog.show();
}

}  // namespace orvane::app::editor
