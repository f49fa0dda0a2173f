// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>

#include "app/document/ScriptDocument.h"
#include "app/shell/MainWindow.h"
#include "screenshots/Screenshot.h"

namespace orvane::screenshots {

namespace {
// The main window with an example script, on the virtual controller in System mode.
const Screenshot::Registrar kMainWindow("main-window", [](ShotContext& shot) -> QWidget* {
    shot.window.Document().OpenPath(QDir(shot.examplesFolder).filePath(QStringLiteral("serwo_przemiatanie.orv")));
    return &shot.window;
});
}  // namespace

}  // namespace orvane::screenshots
