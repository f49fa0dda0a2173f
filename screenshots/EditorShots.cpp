// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>

#include "app/document/ScriptDocument.h"
#include "app/editor/EditorFeatures.h"
#include "app/editor/FindReplaceDialog.h"
#include "app/editor/ScriptEditor.h"
#include "app/shell/MainWindow.h"
#include "screenshots/Screenshot.h"

namespace orvane::screenshots {

namespace {

// Keys as the user types them, so the editor's own handling (the call tip) takes part.
void Type(QWidget& widget, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
        QApplication::sendEvent(&widget, &press);
    }
}

app::editor::ScriptEditor& OpenExample(ShotContext& shot, const char* name) {
    shot.window.Document().OpenPath(QDir(shot.examplesFolder).filePath(QString::fromLatin1(name)));
    return shot.window.Editor();
}

// A coloured example with a command's call tip open, as it shows while its arguments are typed.
const Screenshot::Registrar kScriptEditor("script-editor", [](ShotContext& shot) -> QWidget* {
    app::editor::ScriptEditor& editor = OpenExample(shot, "przeglad.orv");
    editor.PlaceCaret(16, 0);  // the empty line before "Pomiar:"
    Type(*editor.Widget(), QStringLiteral("ServoSet("));
    return &shot.window;
});

// The find and replace window over a script, after a search.
const Screenshot::Registrar kFindReplace("find-replace", [](ShotContext& shot) -> QWidget* {
    OpenExample(shot, "serwo_przemiatanie.orv").PlaceCaret(5, 8);
    shot.window.Action(app::window::CommandId::EditReplace)->trigger();
    app::editor::FindReplaceDialog& dialog = shot.window.Editor().Features().SearchDialog();
    dialog.FindNext();
    return &dialog;
});

}  // namespace

}  // namespace orvane::screenshots
