// Pictures of a run, a compile and a flash operation from the window, on the virtual controller.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <Qsci/qsciscintilla.h>

#include "app/compile/CompileController.h"
#include "app/compile/ReportWindow.h"
#include "app/document/ScriptDocument.h"
#include "app/editor/ScriptEditor.h"
#include "app/host/FlashProgressDialog.h"
#include "app/host/EventSpin.h"
#include "app/host/QtProgress.h"
#include "app/run/RunController.h"
#include "app/screenshots/Screenshot.h"
#include "app/shell/MainWindow.h"

namespace orvane::app::screenshots {

namespace {
using window::CommandId;

// A sweep halted at its breakpoint inside the loop: the statement it stands at is selected and
// marked, the variables are listed beside the script.
const Screenshot::Registrar kRun("run-variables", [](ShotContext& shot) -> QWidget* {
    shot.window.Document().OpenPath(QDir(shot.examplesFolder).filePath(QStringLiteral("serwo_przemiatanie.orv")));
    run::RunController& runs = shot.window.Runs();
    runs.ToggleBreakpoint(8);  // "poz = poz + krok;"
    shot.window.Action(CommandId::RunStart)->trigger();
    host::SpinUntil([&] { return runs.Status().halted; }, 5000);
    runs.ToggleBreakpoint(8);
    shot.window.Action(CommandId::RunStart)->trigger();  // on to the next pass
    runs.ToggleBreakpoint(8);
    host::SpinUntil([&] { return runs.Status().halted; }, 5000);
    return &shot.window;
});

// The assembler's report of a script whose inline assembler has a typing error; the window is
// grabbed while the compile waits for it, then closed as the user would.
const Screenshot::Registrar kReport("compile-report", [](ShotContext& shot) -> QWidget* {
    const QString path = QDir::home().filePath(QStringLiteral("raport.orv"));
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly)) return nullptr;
    script.write("// Wstawka asemblera: stala poza zakresem i skok do etykiety, ktorej nie ma\n"
                 "Main:\nVar: x;\nx = 1;\nasm:\n{\nldi tmp1, 300\nrjmp Nigdzie\n}\n"
                 "ServoSet(1, 0, 0, 0, 1500);\nx = x + 1;\n");
    script.close();
    shot.window.Document().OpenPath(path);
    static QPixmap picture;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* report = qobject_cast<compile::ReportWindow*>(widget);
            if (report == nullptr || !report->isVisible()) continue;
            picture = report->grab();
            report->close();
        }
    });
    watch.start(300);
    bool finished = false;
    QObject::connect(&shot.window.Compiles(), &compile::CompileController::finished, [&] { finished = true; });
    shot.window.Action(CommandId::RunCompile)->trigger();
    host::SpinUntil([&] { return finished; }, 20000);
    auto* label = new QLabel(&shot.window, Qt::Window);
    label->setAttribute(Qt::WA_DeleteOnClose);
    label->setPixmap(picture);
    label->setFixedSize(picture.size());
    return label;
});

// A Program write in the middle of its pages.
const Screenshot::Registrar kFlash("flash-progress", [](ShotContext& shot) -> QWidget* {
    host::QtProgress& progress = shot.window.Progress();
    progress.Expect(host::FlashTask::Write, orvane::device::FlashArea::Kind::Program);
    progress.Begin(137);
    progress.SetPosition(47);
    return progress.Dialog();
});

}  // namespace

}  // namespace orvane::app::screenshots
