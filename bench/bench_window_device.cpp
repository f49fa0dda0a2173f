// SPDX-License-Identifier: GPL-3.0-or-later
// How long the window's event loop can stall while the device thread works (offscreen platform,
// real orvane-sim): the longest gap of a 10 ms heartbeat timer during
//  1. a Program write of a full 6 144-byte image, with the read-back check;
//  2. a read-out of the Program area;
//  3. a run whose controller falls silent in the middle of a command, to the run's end;
//  4. Edycja Pozycji on a controller that falls silent: its reads wait until Koniec, a second
//     later, cuts them short, and the window takes the port back (Reset RS232 and a query);
//  5. Symuluj of a servo sweep of 7 500 firmware calls as fast as it goes, compile included, while
//     the timeline and the servo view follow it;
// target for each: below 100 ms. The boxes answer themselves with their stopping answer; the
// file dialogs are accepted with the file they offer.
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "app/dialogs/PositionDialog.h"
#include "app/document/ScriptDocument.h"
#include "app/editor/ScriptEditor.h"
#include "app/flash/FlashCommands.h"
#include "app/host/QtPrompts.h"
#include "app/run/RunController.h"
#include "app/shell/AppSetup.h"
#include "app/host/EventSpin.h"
#include "app/shell/MainWindow.h"
#include "app/shell/StatusPanes.h"
#include "app/simulate/SimulateController.h"
#include "app/simulate/TimelineDock.h"
#include "core/device/FlashImage.h"
#include "core/device/HexFile.h"
#include "core/host/MemorySettings.h"
#include "core/platform/AtomicFile.h"
#include "settings/OverlaySettings.h"

namespace {
using namespace orvane;
using app::window::CommandId;

bool Spin(const std::function<bool()>& done, int timeoutMs) { return app::host::SpinUntil(done, timeoutMs, 5); }

// The window of one measurement on a fresh simulator.
struct Stage {
    explicit Stage(const QStringList& simArgs) {
        sim.start(ORVANE_SIM_BIN, simArgs);
        sim.waitForReadyRead(5000);
        file.WriteString("Sprawdzaj odpowiada co", "0");
        file.WriteString("Weryfikuj zapis", "1");
        settings.OverridePort(QString::fromUtf8(sim.readLine()).trimmed().toStdString());
        window = std::make_unique<app::shell::MainWindow>(settings, app::shell::AppSetup::Folders());
        window->Prompts().SetClosing(true);
        window->show();
        window->RunStartUp();
        Spin([&] { return window->Panes().ModeText() == QStringLiteral(" Tryb: System"); }, 5000);
        QObject::connect(&accept, &QTimer::timeout, [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog != nullptr && dialog->isVisible())
                    QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
            }
        });
        accept.start(20);
    }
    ~Stage() {
        window->Editor().SetModified(false);
        window.reset();
        sim.terminate();
        sim.waitForFinished(3000);
    }

    // The longest heartbeat gap while `start` runs and until `done` holds.
    void Measure(const char* what, const std::function<void()>& start, const std::function<bool()>& done) {
        QElapsedTimer since;
        QElapsedTimer total;
        qint64 longest = 0;
        QTimer heartbeat;
        heartbeat.setTimerType(Qt::PreciseTimer);
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            const qint64 gap = since.restart();
            longest = std::max(longest, gap);
        });
        since.start();
        total.start();
        heartbeat.start(10);
        start();
        const bool ended = Spin(done, 60000);
        std::printf("%s: longest event-loop stall %lld ms over %.1f s%s (target < 100)\n", what,
                    static_cast<long long>(longest), static_cast<double>(total.elapsed()) / 1000.0,
                    ended ? "" : ", DID NOT END");
    }

    QProcess sim;
    host::MemorySettings file;
    settings::OverlaySettings settings{file};
    std::unique_ptr<app::shell::MainWindow> window;
    QTimer accept;
};

std::string FullProgram(const QString& folder) {
    device::FlashImage image;
    std::mt19937 random(7);
    for (int address = 0x0700; address < 0x1F00; ++address) image[address] = static_cast<std::uint8_t>(random() % 255);
    const std::string path = (folder + QStringLiteral("/full.hex")).toStdString();
    platform::AtomicFile::Write(path, device::HexFile::WriteProgramHex(image));
    return path;
}
}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    app::shell::AppSetup::UseHome(home.path());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    app::shell::AppSetup::Configure(application);
    const std::string program = FullProgram(home.path());

    {
        Stage stage({});
        stage.file.WriteString("Plik", program);
        bool done = false;
        QObject::connect(&stage.window->Flash(), &app::flash::FlashCommands::finished, [&](device::FlashResult r) {
            done = true;
            if (r != device::FlashResult::Done) std::printf("  the operation did not succeed\n");
        });
        stage.Measure("Program write of 6 144 bytes with verify",
                      [&] { stage.window->Action(CommandId::ProgramWrite)->trigger(); }, [&] { return done; });
        done = false;
        stage.file.WriteString("Plik zapisz", (home.path() + "/read.hex").toStdString());
        stage.Measure("Program read-out", [&] { stage.window->Action(CommandId::ProgramRead)->trigger(); },
                      [&] { return done; });
    }
    {
        // It answers the start-up query and the way into Komendy, then hears the first command
        // and falls silent for good.
        Stage stage({QStringLiteral("--fault"), QStringLiteral("silent-after:5")});
        stage.window->Editor().Load(QStringLiteral("ServoSet(1, 0, 0, 0, 1200);\nServoSet(1, 0, 0, 0, 1300);\n"));
        app::run::RunController& runs = stage.window->Runs();
        bool ran = false;
        stage.Measure("run against a controller that falls silent, to its end",
                      [&] { stage.window->Action(CommandId::RunStart)->trigger(); },
                      [&] {
                          ran = ran || runs.Status().exists;
                          return ran && !runs.Status().exists && stage.window->Editor().IsEnabled();
                      });
    }
    {
        // It answers the start-up query and the way into Komendy, then falls silent.
        Stage stage({QStringLiteral("--fault"), QStringLiteral("silent-after:3")});
        stage.window->Action(CommandId::ModeKomendy)->trigger();
        Spin([&] { return stage.window->Panes().ModeText() == QStringLiteral(" Tryb: Komendy") &&
                          !stage.window->Device().IsBusy(); }, 5000);
        auto* dialog = stage.window->findChild<app::dialogs::PositionDialog*>();
        bool ended = false;
        stage.Measure("Edycja Pozycji on a silent controller, Koniec after 1 s, to the port given back",
                      [&] {
                          stage.window->Action(CommandId::EditPosition)->trigger();
                          QTimer::singleShot(1000, [&] {
                              dialog->EndButton()->click();
                              ended = true;
                          });
                      },
                      [&] { return ended && !dialog->isVisible() && !stage.window->Device().IsBusy(); });
    }
    {
        Stage stage({});
        const QString script = home.filePath(QStringLiteral("sweep.orv"));
        QFile file(script);
        if (!file.open(QIODevice::WriteOnly)) return 1;
        file.write("Main:\nVar: i;\ni = 0;\nwhile (i < 2500) {\n    ServoSet(1, 0, 0, 0, 1000);\n"
                   "    ServoSet(1, 0, 0, 0, 2000);\n    Wait(1);\n    i = i + 1;\n}\n");
        file.close();
        stage.window->Document().OpenPath(script);
        app::simulate::SimulateController& simulation = stage.window->Simulation();
        simulation.Dock().findChild<QComboBox*>(QStringLiteral("simulationSpeed"))->setCurrentIndex(3);
        bool began = false;
        bool ended = false;
        QObject::connect(&simulation, &app::simulate::SimulateController::runningChanged, [&](bool running) {
            began = began || running;
            ended = began && !running;
        });
        stage.Measure("Symuluj of a 7 500-call servo sweep, as fast as it goes",
                      [&] { stage.window->Action(CommandId::RunSimulate)->trigger(); }, [&] { return ended; });
        std::printf("  %lld ms of simulated time\n",
                    static_cast<long long>(simulation.Dock().Timeline().EndUs() / 1000));
    }
    return 0;
}
