// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the help window: the engine-difference page, and F1 on a command in the editor.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <Qsci/qsciscintilla.h>

#include "app/document/ScriptDocument.h"
#include "app/editor/ScriptEditor.h"
#include "app/help/HelpWindow.h"
#include "app/host/EventSpin.h"
#include "app/screenshots/Screenshot.h"
#include "app/shell/MainWindow.h"

namespace orvane::app::screenshots {

namespace {

help::HelpWindow* ShownHelp() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<help::HelpWindow*>(widget);
        if (window && window->isVisible()) return window;
    }
    return nullptr;
}

// F1 with the caret in "ServoSet" of an example: the command's page, from the table in use.
const Screenshot::Registrar kHelpCommand("help-f1-command", [](ShotContext& shot) -> QWidget* {
    shot.window.Document().OpenPath(QDir(shot.examplesFolder).filePath(QStringLiteral("decyzja.orv")));
    QsciScintilla& sci = *shot.window.Editor().Scintilla();
    sci.setFocus();
    sci.setCursorPosition(6, 6);  // "    ServoSet(1, 0, 0, 0, 1000);"
    shot.window.Action(window::CommandId::HelpTopics)->trigger();
    host::SpinUntil([] { return ShownHelp() != nullptr; }, 5000);
    return ShownHelp();
});

// The table of where the PC run and the compiled program differ, opened from the contents.
const Screenshot::Registrar kHelpWindow("help-window", [](ShotContext& shot) -> QWidget* {
    shot.window.Action(window::CommandId::HelpUsing)->trigger();
    host::SpinUntil([] { return ShownHelp() != nullptr; }, 5000);
    help::HelpWindow* help = ShownHelp();
    if (help) help->ShowTopic("roznice");
    return help;
});

}  // namespace

}  // namespace orvane::app::screenshots
