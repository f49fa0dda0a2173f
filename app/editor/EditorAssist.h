// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <string>

#include "app/editor/SciDocument.h"

class QKeyEvent;
class QsciScintilla;

namespace orvane::app::editor {

class CallTip;
class CompletionPopup;
class Dictionaries;
class SyntaxLexer;

// What the editor does for the keys of a script beyond plain typing: word completion (left
// Ctrl+Right, Ctrl+Space), call tips after "(", Tab as spaces, indentation on Enter and "}".
// It listens to the editor's keys through an event filter, so the editor itself stays a plain
// QsciScintilla.
class EditorAssist : public QObject {
    Q_OBJECT

public:
    EditorAssist(QsciScintilla& sci, SyntaxLexer& lexer, const Dictionaries& words);

    // Spaces per Tab and per indentation level, kept within 1..16.
    void SetTabSize(int size);

    bool CompletionShown() const;
    bool CallTipShown() const;
    // Closes the list; a suggested rest the user did not accept leaves the script with it.
    void CloseCompletion();
    void CloseCallTip();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnKey(QKeyEvent* key);
    // The keys the completion list takes; false for those that go on as if it were closed.
    bool OnKeyWithList(QKeyEvent* key);
    void CloseCallTipBefore(QKeyEvent* key);
    void OnCharAdded(int ch);
    void OnCaretMoved();

    // Completion.
    bool OpenCompletion();
    bool Suggest();
    void Accept(int row);
    void AcceptOneCharacter();
    void ShortenPrefix();
    void DropSuggestion();
    std::string PrefixBeforeCaret() const;

    void InsertTab();
    void NewLine();
    void AlignClosingBrace();
    void ShowCallTip();
    QPoint CaretPoint(long pos, int* lineHeight) const;

    QsciScintilla& sci_;
    SyntaxLexer& lexer_;
    const Dictionaries& words_;
    SciDocument doc_;
    CompletionPopup* list_;
    CallTip* tip_;
    long prefixStart_ = 0;
    // The suggested rest of the word, inserted and selected but not accepted yet.
    long restStart_ = 0;
    long restEnd_ = 0;
    bool restPending_ = false;
    long tipParen_ = 0;
    int tabSize_ = 3;
    bool rightControl_ = false;
};

}  // namespace orvane::app::editor
