// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-screenshots: renders the pictures of docs/screenshots under the offscreen platform,
// each on a fresh main window talking to a fresh virtual controller, with settings in a
// temporary folder so the user's own are never touched.
#include <cstdio>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include "app/shell/AppSetup.h"
#include "app/shell/MainWindow.h"
#include "app/shell/StatusPanes.h"
#include "core/host/Cp1250.h"
#include "screenshots/Screenshot.h"
#include "settings/OverlaySettings.h"
#include "settings/QtSettingsStore.h"

namespace {
using namespace orvane;

void Wait(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Starts orvane-sim and returns its pseudo-terminal (the first line it prints), or empty.
QString StartSimulator(QProcess& sim, const QString& binary, const QString& folder) {
    sim.start(binary, {QStringLiteral("--flash"), folder + QStringLiteral("/flash.hex")});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) return {};
    return QString::fromUtf8(sim.readLine()).trimmed();
}

bool TakeIn(const QString& home, const screenshots::Screenshot::Entry& entry, const QString& simBinary,
            const QString& examples, const QDir& out) {
    app::shell::AppSetup::UseHome(home);
    QProcess sim;
    const QString port = StartSimulator(sim, simBinary, home);
    if (port.isEmpty()) {
        std::fprintf(stderr, "orvane-screenshots: orvane-sim did not start\n");
        return false;
    }
    settings::QtSettingsStore file;
    settings::OverlaySettings settings(file);
    settings.OverridePort(host::Utf8ToCp1250(port.toStdString()));
    bool saved = false;
    {
        app::shell::MainWindow window(settings, app::shell::AppSetup::Folders());
        window.resize(1200, 720);
        window.show();
        window.RunStartUp();
        Wait(1500);
        screenshots::ShotContext context{window, examples};
        QWidget* target = entry.take(context);
        Wait(400);
        if (target != nullptr) {
            const QString path = out.filePath(entry.name + QStringLiteral(".png"));
            saved = target->grab().save(path);
            std::printf("%s %s\n", saved ? "wrote" : "could not write", qUtf8Printable(path));
        }
    }
    sim.terminate();
    sim.waitForFinished(3000);
    return saved;
}

// A folder of the same name for every picture and every run: its path shows in some of them
// (the command file, the assembler's report), and a random one would change them each time.
bool Take(const screenshots::Screenshot::Entry& entry, const QString& simBinary, const QString& examples,
          const QDir& out) {
    const QString home = QDir::temp().filePath(QStringLiteral("ORVANE-zrzuty"));
    QDir(home).removeRecursively();
    QDir().mkpath(home);
    const bool saved = TakeIn(home, entry, simBinary, examples, out);
    QDir(home).removeRecursively();
    return saved;
}
}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    app::shell::AppSetup::Configure(application);
    QApplication::setCursorFlashTime(0);  // a caret that never blinks: the same picture every time
    QCommandLineParser parser;
    const QCommandLineOption sim(QStringLiteral("sim"), QStringLiteral("orvane-sim binary"), QStringLiteral("path"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("folder for the PNG files"), QStringLiteral("path"));
    const QCommandLineOption examples(QStringLiteral("examples"), QStringLiteral("example scripts"), QStringLiteral("path"));
    const QCommandLineOption only(QStringLiteral("only"), QStringLiteral("one picture by name"), QStringLiteral("name"));
    parser.addOptions({sim, out, examples, only});
    parser.addHelpOption();
    parser.process(application);

    const QDir folder(parser.value(out));
    QDir().mkpath(folder.path());
    bool ok = true;
    for (const auto& entry : screenshots::Screenshot::All()) {
        if (parser.isSet(only) && parser.value(only) != entry.name) continue;
        ok = Take(entry, parser.value(sim), parser.value(examples), folder) && ok;
    }
    return ok ? 0 : 1;
}
