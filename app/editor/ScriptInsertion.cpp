// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/ScriptInsertion.h"

#include <algorithm>

#include <Qsci/qsciscintilla.h>

#include "app/editor/ScriptEditor.h"

namespace orvane::app::editor {

ScriptInsertion::ScriptInsertion(const ScriptEditor& editor) : editor_(editor.Scintilla()) {}

void ScriptInsertion::Begin() {
    start_ = editor_->SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART);
    end_ = editor_->SendScintilla(QsciScintilla::SCI_GETSELECTIONEND);
}

void ScriptInsertion::Insert(const QString& text) {
    if (text.isEmpty()) return;
    const QByteArray bytes = text.toUtf8();
    // Never outside the text, however it changed since the selection was noted.
    const long length = editor_->SendScintilla(QsciScintilla::SCI_GETLENGTH);
    start_ = std::min(start_, length);
    end_ = std::clamp(end_, start_, length);
    editor_->SendScintilla(QsciScintilla::SCI_BEGINUNDOACTION);
    editor_->SendScintilla(QsciScintilla::SCI_INSERTTEXT, static_cast<unsigned long>(start_), bytes.constData());
    editor_->SendScintilla(QsciScintilla::SCI_ENDUNDOACTION);
    start_ += bytes.size();
    end_ += bytes.size();
    editor_->SendScintilla(QsciScintilla::SCI_SETSEL, static_cast<unsigned long>(start_), end_);
}

}  // namespace orvane::app::editor
