// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the compile's report: the assembler's errors, and the warnings where the compiled
// program will compute otherwise than the run on the PC.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QTimer>

#include "app/compile/CompileController.h"
#include "app/compile/ReportWindow.h"
#include "app/document/ScriptDocument.h"
#include "app/host/EventSpin.h"
#include "app/shell/MainWindow.h"
#include "screenshots/Screenshot.h"

namespace orvane::screenshots {

namespace {

// Compiles `text` saved as `name` and grabs the report while the compile waits for it, then
// closes it as the user would; the program write's file dialog, if one follows, is cancelled.
QWidget* ReportOf(ShotContext& shot, const char* name, const char* text) {
    const QString path = QDir::home().filePath(QString::fromUtf8(name));
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly)) return nullptr;
    script.write(text);
    script.close();
    shot.window.Document().OpenPath(path);
    static QPixmap picture;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!widget->isVisible()) continue;
            if (auto* files = qobject_cast<QFileDialog*>(widget)) files->reject();
            auto* report = qobject_cast<app::compile::ReportWindow*>(widget);
            if (report == nullptr) continue;
            picture = report->grab();
            report->close();
        }
    });
    watch.start(300);
    bool finished = false;
    QObject::connect(&shot.window.Compiles(), &app::compile::CompileController::finished, [&] { finished = true; });
    shot.window.Action(app::window::CommandId::RunCompile)->trigger();
    app::host::SpinUntil([&] { return finished; }, 20000);
    auto* label = new QLabel(&shot.window, Qt::Window);
    label->setAttribute(Qt::WA_DeleteOnClose);
    label->setPixmap(picture);
    label->setFixedSize(picture.size());
    return label;
}

// A script whose inline assembler has a typing error.
const Screenshot::Registrar kReport("compile-report", [](ShotContext& shot) {
    return ReportOf(shot, "raport.orv",
                    "// Wstawka asemblera: stala poza zakresem i skok do etykiety, ktorej nie ma\n"
                    "Main:\nVar: x;\nx = 1;\nasm:\n{\nldi tmp1, 300\nrjmp Nigdzie\n}\n"
                    "ServoSet(1, 0, 0, 0, 1500);\nx = x + 1;\n");
});

// A script that assembles, with the statements the two engines compute apart listed below.
const Screenshot::Registrar kWarnings("compile-warnings", [](ShotContext& shot) {
    return ReportOf(shot, "ostrzezenia.orv",
                    "// Wynik zalezy od tego, czy skrypt biegnie na PC, czy w sterowniku\n"
                    "Main:\nVar: poz, krok;\nkrok = 0 - 100;\npoz = 300 * 300;\n"
                    "while (poz > krok) {\n    poz = poz / 2;\n}\nServoSet(1, 0, 0, 0, 70000);\n");
});

}  // namespace

}  // namespace orvane::screenshots
