// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QsciScintilla;

namespace orvane::app::editor {

// The "&Edycja" menu's own commands on the text, and what their enabling rules look at.
class EditCommands {
public:
    struct State {
        bool hasText = false;
        bool canUndo = false;
        bool canRedo = false;
        bool hasSelection = false;
    };

    explicit EditCommands(QsciScintilla& sci) : sci_(sci) {}

    void Undo();
    void Redo();
    void Cut();
    void Copy();
    void Paste();
    // The clipboard's plain text only, whatever richer forms it also holds.
    void PastePlainText();
    void SelectAll();
    State Now() const;

private:
    QsciScintilla& sci_;
};

}  // namespace orvane::app::editor
