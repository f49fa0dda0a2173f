// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of a run and a flash operation from the window, on the virtual controller.
#include <QAction>
#include <QDir>

#include "app/document/ScriptDocument.h"
#include "app/editor/ScriptEditor.h"
#include "app/host/FlashProgressDialog.h"
#include "app/host/EventSpin.h"
#include "app/host/QtProgress.h"
#include "app/run/RunController.h"
#include "app/shell/MainWindow.h"
#include "screenshots/Screenshot.h"

namespace orvane::screenshots {

namespace {
using app::window::CommandId;

// A sweep halted at its breakpoint inside the loop: the statement it stands at is selected and
// marked, the variables are listed beside the script.
const Screenshot::Registrar kRun("run-variables", [](ShotContext& shot) -> QWidget* {
    shot.window.Document().OpenPath(QDir(shot.examplesFolder).filePath(QStringLiteral("serwo_przemiatanie.orv")));
    app::run::RunController& runs = shot.window.Runs();
    runs.ToggleBreakpoint(8);  // "poz = poz + krok;"
    shot.window.Action(CommandId::RunStart)->trigger();
    app::host::SpinUntil([&] { return runs.Status().halted; }, 5000);
    runs.ToggleBreakpoint(8);
    shot.window.Action(CommandId::RunStart)->trigger();  // on to the next pass
    runs.ToggleBreakpoint(8);
    app::host::SpinUntil([&] { return runs.Status().halted; }, 5000);
    return &shot.window;
});

// A Program write in the middle of its pages.
const Screenshot::Registrar kFlash("flash-progress", [](ShotContext& shot) -> QWidget* {
    app::host::QtProgress& progress = shot.window.Progress();
    progress.Expect(app::host::FlashTask::Write, orvane::device::FlashArea::Kind::Program);
    progress.Begin(137);
    progress.SetPosition(47);
    return progress.Dialog();
});

}  // namespace

}  // namespace orvane::screenshots
