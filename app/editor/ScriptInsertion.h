// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

class QsciScintilla;

namespace orvane::app::editor {

class ScriptEditor;

// Where the servo dialogs' lines go: the selection noted when the dialog was opened. Each
// confirmed showing inserts its text at the start of that selection as one undoable step and
// moves the selection on behind the text, so the next showing's lines follow in order.
class ScriptInsertion {
public:
    explicit ScriptInsertion(const ScriptEditor& editor);

    // Notes the editor's selection (the caret when nothing is selected).
    void Begin();
    void Insert(const QString& text);

private:
    QsciScintilla* editor_;
    long start_ = 0;  // byte positions of the editor
    long end_ = 0;
};

}  // namespace orvane::app::editor
