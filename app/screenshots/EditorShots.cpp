// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <Qsci/qsciscintilla.h>

#include "app/document/ScriptDocument.h"
#include "app/editor/EditorFeatures.h"
#include "app/editor/FindReplaceDialog.h"
#include "app/editor/ScriptEditor.h"
#include "app/screenshots/Screenshot.h"
#include "app/shell/MainWindow.h"

namespace orvane::app::screenshots {

namespace {

// Keys as the user types them, so the editor's own handling (the call tip) takes part.
void Type(QWidget& widget, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
        QApplication::sendEvent(&widget, &press);
    }
}

QsciScintilla& OpenExample(ShotContext& shot, const char* name) {
    shot.window.Document().OpenPath(QDir(shot.examplesFolder).filePath(QString::fromLatin1(name)));
    return *shot.window.Editor().Scintilla();
}

// A coloured example with a command's call tip open, as it shows while its arguments are typed.
const Screenshot::Registrar kScriptEditor("script-editor", [](ShotContext& shot) -> QWidget* {
    QsciScintilla& sci = OpenExample(shot, "przeglad.orv");
    sci.setFocus();
    sci.setCursorPosition(16, 0);  // the empty line before "Pomiar:"
    Type(sci, QStringLiteral("ServoSet("));
    return &shot.window;
});

// The find and replace window over a script, after a search.
const Screenshot::Registrar kFindReplace("find-replace", [](ShotContext& shot) -> QWidget* {
    QsciScintilla& sci = OpenExample(shot, "serwo_przemiatanie.orv");
    sci.setCursorPosition(5, 8);
    shot.window.Action(window::CommandId::EditReplace)->trigger();
    editor::FindReplaceDialog& dialog = shot.window.Editor().Features().SearchDialog();
    dialog.FindNext();
    return &dialog;
});

}  // namespace

}  // namespace orvane::app::screenshots
