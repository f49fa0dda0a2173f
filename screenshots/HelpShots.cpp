// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the help window: the engine-difference page, and F1 on a command in the editor.
#include <QAction>
#include <QApplication>
#include <QDir>

#include "app/document/ScriptDocument.h"
#include "app/editor/ScriptEditor.h"
#include "app/help/HelpWindow.h"
#include "app/host/EventSpin.h"
#include "app/shell/MainWindow.h"
#include "screenshots/Screenshot.h"

namespace orvane::screenshots {

namespace {

app::help::HelpWindow* ShownHelp() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<app::help::HelpWindow*>(widget);
        if (window && window->isVisible()) return window;
    }
    return nullptr;
}

// F1 with the caret in "ServoSet" of an example: the command's page, from the table in use.
const Screenshot::Registrar kHelpCommand("help-f1-command", [](ShotContext& shot) -> QWidget* {
    shot.window.Document().OpenPath(QDir(shot.examplesFolder).filePath(QStringLiteral("decyzja.orv")));
    shot.window.Editor().PlaceCaret(6, 6);  // "    ServoSet(1, 0, 0, 0, 1000);"
    shot.window.Action(app::window::CommandId::HelpTopics)->trigger();
    app::host::SpinUntil([] { return ShownHelp() != nullptr; }, 5000);
    return ShownHelp();
});

// The table of where the PC run and the compiled program differ, opened from the contents.
const Screenshot::Registrar kHelpWindow("help-window", [](ShotContext& shot) -> QWidget* {
    shot.window.Action(app::window::CommandId::HelpUsing)->trigger();
    app::host::SpinUntil([] { return ShownHelp() != nullptr; }, 5000);
    app::help::HelpWindow* help = ShownHelp();
    if (help) help->ShowTopic("roznice");
    return help;
});

}  // namespace

}  // namespace orvane::screenshots
