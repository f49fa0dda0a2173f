// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/EditCommands.h"

#include <QApplication>
#include <QClipboard>
#include <Qsci/qsciscintilla.h>

namespace orvane::app::editor {

void EditCommands::Undo() { sci_.undo(); }
void EditCommands::Redo() { sci_.redo(); }
void EditCommands::Cut() { sci_.cut(); }
void EditCommands::Copy() { sci_.copy(); }
void EditCommands::Paste() { sci_.paste(); }
void EditCommands::PastePlainText() { sci_.replaceSelectedText(QApplication::clipboard()->text()); }
void EditCommands::SelectAll() { sci_.selectAll(); }

EditCommands::State EditCommands::Now() const {
    return {sci_.length() > 0, sci_.isUndoAvailable(), sci_.isRedoAvailable(), sci_.hasSelectedText()};
}

}  // namespace orvane::app::editor
