// SPDX-License-Identifier: GPL-3.0-or-later
// The window's start-up and idle cost, and how long its event loop can stall while the device
// thread waits for a silent controller (offscreen platform, real orvane-sim):
//  1. time from the start of main() to the first painted editor with a 1 000-line script;
//     target: below 500 ms;
//  2. resident memory of the idle window; target: below 80 MB;
//  3. the longest gap of a 10 ms heartbeat timer during a mode switch against a controller that
//     has gone silent; target: below 100 ms.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "app/document/ScriptDocument.h"
#include "app/editor/ScriptEditor.h"
#include "app/host/QtPrompts.h"
#include "app/shell/AppSetup.h"
#include "app/host/EventSpin.h"
#include "app/shell/MainWindow.h"
#include "app/shell/StatusPanes.h"
#include "core/host/MemorySettings.h"
#include "settings/OverlaySettings.h"

namespace {
using namespace orvane;

const auto kMainStart = std::chrono::steady_clock::now();

double MsSinceMain() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - kMainStart).count();
}

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

void Spin(const std::function<bool()>& done, int timeoutMs) { app::host::SpinUntil(done, timeoutMs, 5); }

class FirstPaint : public QObject {
public:
    double at = -1;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && at < 0) at = MsSinceMain();
        return false;
    }
};
}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    app::shell::AppSetup::UseHome(home.path());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QString script = home.filePath("long.orv");
    {
        std::ofstream out(script.toStdString());
        out << "Main:\nVar: i;\n";
        for (int i = 0; i < 998; ++i) out << "ServoSet(1, 0, 0, 0, " << 1000 + i << "); // ruch " << i << "\n";
    }

    QProcess sim;
    sim.start(ORVANE_SIM_BIN, {"--fault", "silent-after:1"});
    sim.waitForReadyRead(5000);
    const std::string port = QString::fromUtf8(sim.readLine()).trimmed().toStdString();

    QApplication application(argc, argv);
    app::shell::AppSetup::Configure(application);
    host::MemorySettings file;
    file.WriteString("Sprawdzaj odpowiada co", "0");
    settings::OverlaySettings settings(file);
    settings.OverridePort(port);
    app::shell::MainWindow window(settings, app::shell::AppSetup::Folders());
    FirstPaint paint;
    window.Editor().Widget()->installEventFilter(&paint);
    window.show();
    window.Document().OpenPath(script);
    Spin([&] { return paint.at >= 0; }, 5000);
    std::printf("start-up to the first painted editor, 1 000 lines: %.0f ms (target < 500)\n", paint.at);

    Spin([&] { return window.Panes().ModeText() == QStringLiteral(" Tryb: System"); }, 5000);
    Spin([] { return false; }, 1000);
    std::printf("resident memory of the idle window: %.1f MB (target < 80)\n", ResidentKb() / 1024.0);

    QElapsedTimer sinceBeat;
    qint64 longest = 0;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] { longest = std::max(longest, sinceBeat.restart()); });
    window.Prompts().SetClosing(true);  // the switch's failure box answers itself
    sinceBeat.start();
    heartbeat.start(10);
    window.Action(app::window::CommandId::ModeKomendy)->trigger();
    Spin([&] { return window.Panes().ModeText() == QStringLiteral(" Tryb: Nieznany") && !window.Device().IsBusy(); },
         15000);
    std::printf("longest event-loop stall during a switch against a silent controller: %lld ms (target < 100)\n",
                static_cast<long long>(longest));
    window.Editor().SetModified(false);
    sim.terminate();
    sim.waitForFinished(3000);
    return 0;
}
