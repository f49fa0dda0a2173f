// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-soak: the window driven by a seeded random user against orvane-sim with faults, its
// invariants checked after every action. A failure prints the seed and the actions that led
// to it; the same seed replays the same choices.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>

#include "app/shell/AppSetup.h"
#include "app/shell/MainWindow.h"
#include "core/host/Cp1250.h"
#include "settings/OverlaySettings.h"
#include "settings/QtSettingsStore.h"
#include "soak/SoakDriver.h"
#include "soak/SoakLog.h"
#include "soak/SoakSim.h"
#include "soak/SoakWatchdog.h"

extern "C" void __sanitizer_set_death_callback(void (*)()) __attribute__((weak));

namespace {

orvane::soak::SoakLog* gLog = nullptr;

// A sanitizer's report or a crash ends the process; the actions that led there are printed first.
void PrintLogOnDeath() {
    if (gLog != nullptr) std::fputs(qUtf8Printable(gLog->Report(60)), stderr);
}

void PrintLogOnSignal(int signal) {
    PrintLogOnDeath();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Past its time by this much, the soak is stuck: well inside the test runner's timeout.
constexpr std::chrono::seconds kStuckAfter{45};

QString SimBeside(const QString& program) {
    return QFileInfo(program).absolutePath() + QStringLiteral("/orvane-sim");
}

}  // namespace

int main(int argc, char** argv) {
    using namespace orvane;
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Drives the ORVANE window with random input and checks it."));
    parser.addHelpOption();
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("How long to run."), QStringLiteral("N"), QStringLiteral("30"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("The random seed."), QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption actions(QStringLiteral("actions"), QStringLiteral("Stop after N actions (0: no limit)."), QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption stall(QStringLiteral("stall-ms"), QStringLiteral("Longest allowed stall of the event loop."), QStringLiteral("MS"), QStringLiteral("100"));
    const QCommandLineOption sim(QStringLiteral("sim"), QStringLiteral("The orvane-sim program."), QStringLiteral("PATH"));
    parser.addOptions({seconds, seed, actions, stall, sim});
    parser.process(application);

    // The window's settings, recent files and saves stay in a folder of the soak's own.
    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "orvane-soak: no temporary folder\n");
        return 2;
    }
    const QString folder = home.filePath(QStringLiteral("skrypty"));
    QDir().mkpath(folder);
    app::shell::AppSetup::UseHome(home.path());
    app::shell::AppSetup::Configure(application);
    const host::PlatformFolders folders = app::shell::AppSetup::Folders();

    soak::SoakDriver::Options options;
    options.seed = parser.value(seed).toULongLong();
    options.seconds = parser.value(seconds).toLongLong();
    options.maxActions = parser.value(actions).toInt();
    options.stallMs = parser.value(stall).toInt();
    options.folder = folder;
    const QDir examples(QString::fromStdString(host::Cp1250ToUtf8(folders.programFolder)) + QStringLiteral("examples"));
    for (const QString& name : examples.entryList({QStringLiteral("*.orv")}, QDir::Files))
        options.examples << examples.filePath(name);

    soak::SoakLog log(home.filePath(QStringLiteral("soak.log")), options.seed);
    gLog = &log;
    if (__sanitizer_set_death_callback != nullptr) __sanitizer_set_death_callback(PrintLogOnDeath);
    for (const int signal : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE}) std::signal(signal, PrintLogOnSignal);
    std::fprintf(stderr, "orvane-soak: seed %llu, %lld s, log %s\n", static_cast<unsigned long long>(options.seed),
                 static_cast<long long>(options.seconds), qUtf8Printable(log.Path()));

    // Declared before the window, so it also watches the window's shutdown.
    const soak::SoakWatchdog watchdog(log.Path(), std::chrono::seconds(options.seconds) + kStuckAfter);

    soak::SoakSim controller(parser.isSet(sim) ? parser.value(sim) : SimBeside(QCoreApplication::applicationFilePath()),
                             home.path());
    QString error;
    if (!controller.Restart({}, &error)) {
        std::fprintf(stderr, "orvane-soak: %s\n", qUtf8Printable(error));
        return 2;
    }

    // The window as the program builds it, on the virtual controller's link.
    settings::QtSettingsStore file;
    settings::OverlaySettings settings(file);
    settings.OverridePort(host::Utf8ToCp1250(controller.Link().toStdString()));
    app::shell::MainWindow window(settings, folders);
    window.show();
    window.RunStartUp();

    soak::SoakDriver driver(window, controller, log, options);
    const bool passed = driver.Run();
    std::fputs(qUtf8Printable(log.Report(passed ? 0 : 60)), passed ? stdout : stderr);
    gLog = nullptr;
    home.setAutoRemove(passed);  // a failure keeps its log and files
    return passed ? 0 : 1;
}
