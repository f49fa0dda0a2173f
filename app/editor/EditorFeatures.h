// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <memory>

class QsciScintilla;

namespace orvane::app::editor {

class Dictionaries;
class EditorAssist;
class FindReplaceDialog;
class SyntaxLexer;
class TextFinder;

// Everything the script editor adds to a plain QsciScintilla: the colouring, completion, call
// tips and indentation, find and replace, line numbers as wide as they need at any zoom, and the
// matching brace. The words are the caller's and must outlive it.
class EditorFeatures : public QObject {
    Q_OBJECT

public:
    EditorFeatures(QsciScintilla& sci, const Dictionaries& words);
    ~EditorFeatures() override;

    void SetTabSize(int size);
    // Colours the whole text again, as after loading the dictionaries.
    void RecolourAll();

    // The Edit menu's search commands: Find (Ctrl+F), Find Next (F3), Replace (Ctrl+R).
    void Find();
    void FindNext();
    void Replace();

    SyntaxLexer& Lexer() { return *lexer_; }
    FindReplaceDialog& SearchDialog();

private:
    void ShowLineNumbers();
    void OpenSearch(bool replacing);

    QsciScintilla& sci_;
    SyntaxLexer* lexer_;
    EditorAssist* assist_;
    std::unique_ptr<TextFinder> finder_;
    FindReplaceDialog* dialog_ = nullptr;
};

}  // namespace orvane::app::editor
