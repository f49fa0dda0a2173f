// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/ScriptScintilla.h"

#include <QKeyEvent>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <algorithm>
#include <array>

namespace orvane::app::editor {

namespace {
// Scintilla's own chords that change the text although no menu of the window shows them.
constexpr std::array kHiddenEdits{
    QsciCommand::LineCut,         QsciCommand::LineDelete,          QsciCommand::LineTranspose,
    QsciCommand::LineDuplicate,   QsciCommand::SelectionDuplicate,  QsciCommand::SelectionLowerCase,
    QsciCommand::SelectionUpperCase, QsciCommand::DeleteLineLeft,   QsciCommand::DeleteLineRight,
    QsciCommand::MoveSelectedLinesUp, QsciCommand::MoveSelectedLinesDown, QsciCommand::ReverseLines,
};
}  // namespace

ScriptScintilla::ScriptScintilla(QWidget* parent) : QsciScintilla(parent) { UnbindHiddenEdits(); }

bool ScriptScintilla::IsChord(Qt::KeyboardModifiers modifiers) {
    return (modifiers & (Qt::ControlModifier | Qt::AltModifier)) != 0;
}

void ScriptScintilla::UnbindHiddenEdits() {
    for (QsciCommand* command : standardCommands()->commands()) {
        if (std::find(kHiddenEdits.begin(), kHiddenEdits.end(), command->command()) == kHiddenEdits.end()) continue;
        command->setKey(0);
        command->setAlternateKey(0);
    }
}

// The chord goes on without its text: Scintilla still moves and selects with it (Ctrl+Left,
// Alt+Shift+Down) but has nothing to insert. A chord it does not use goes on to the window.
void ScriptScintilla::keyPressEvent(QKeyEvent* event) {
    if (!IsChord(event->modifiers()) || event->text().isEmpty()) {
        QsciScintilla::keyPressEvent(event);
        return;
    }
    QKeyEvent bare(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                   event->nativeVirtualKey(), event->nativeModifiers(), QString(), event->isAutoRepeat(),
                   static_cast<quint16>(event->count()));
    QsciScintilla::keyPressEvent(&bare);
    event->setAccepted(bare.isAccepted());
}

}  // namespace orvane::app::editor
