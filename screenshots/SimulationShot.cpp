// SPDX-License-Identifier: GPL-3.0-or-later
// The window after Symuluj: the program's servo paths on the timeline, the servos where it left
// them and its variables' final values.
#include <QComboBox>
#include <QDir>
#include <QFile>

#include "app/document/ScriptDocument.h"
#include "app/host/EventSpin.h"
#include "app/shell/MainWindow.h"
#include "app/simulate/SimulateController.h"
#include "app/simulate/TimelineDock.h"
#include "screenshots/Screenshot.h"

namespace orvane::screenshots {

namespace {
const Screenshot::Registrar kSimulation("simulation", [](ShotContext& shot) -> QWidget* {
    const QString path = QDir::home().filePath(QStringLiteral("ramie.orv"));
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly)) return nullptr;
    script.write("// Ramie: trzy serwa, dwa jada z predkoscia, trzecie skacze.\n"
                 "Main:\nVar: i;\ni = 0;\nwhile (i < 4) {\n"
                 "    ServoSet(1, 40, 0, 0, 2000);\n    ServoSet(2, 20, 0, 0, 1000);\n    Wait(300);\n"
                 "    ServoSet(3, 0, 0, 0, 1800);\n    Wait(200);\n"
                 "    ServoSet(1, 40, 0, 0, 1000);\n    ServoSet(2, 20, 0, 0, 2000);\n"
                 "    ServoSet(3, 0, 0, 0, 1200);\n    Wait(500);\n    i = i + 1;\n}\n");
    script.close();
    shot.window.Document().OpenPath(path);
    app::simulate::SimulateController& simulation = shot.window.Simulation();
    simulation.Dock().findChild<QComboBox*>(QStringLiteral("simulationSpeed"))->setCurrentIndex(3);
    bool ended = false;
    QObject::connect(&simulation, &app::simulate::SimulateController::runningChanged,
                     [&](bool running) { ended = !running; });
    shot.window.Action(app::window::CommandId::RunSimulate)->trigger();
    app::host::SpinUntil([&] { return ended; }, 30000);
    shot.window.resize(1100, 760);
    return &shot.window;
});
}  // namespace

}  // namespace orvane::screenshots
