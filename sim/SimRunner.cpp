// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/SimRunner.h"

#include <cstdio>

#include "core/commands/CommandFile.h"
#include "core/host/Cp1250.h"
#include "core/platform/DataFolder.h"
#include "sim/FlashFile.h"
#include "sim/PtyHost.h"
#include "sim/StderrPrompts.h"
#include "sim/StopSignals.h"

namespace orvane::sim {

std::string SimRunner::DefaultCommandsPath() { return platform::DataFolder() + "Komendy.ini"; }

int SimRunner::Fail(const std::string& message, int code) {
    std::fprintf(stderr, "orvane-sim: %s\n", message.c_str());
    return code;
}

int SimRunner::Run() {
    StopSignals signals;  // until the line is up, a stop signal simply ends the process
    ControllerSetup setup;
    const std::string commandsPath =
        options_.commandsPath.empty() ? DefaultCommandsPath() : options_.commandsPath;
    std::vector<std::string> warnings;
    const bool commandsRead = commands::CommandFile::ReadFile(commandsPath, setup.commands, &warnings);
    for (const auto& w : warnings) Fail(commandsPath + ": " + host::Cp1250ToUtf8(w), 0);
    if (!commandsRead) return Fail("nie można odczytać definicji komend " + commandsPath, 2);
    if (setup.commands.Empty()) Fail(commandsPath + ": brak komend, tryb Komendy nic nie wykona", 0);

    StderrPrompts prompts;
    std::string error;
    if (!options_.flashPath.empty() && !FlashFile::Load(options_.flashPath, setup.flash, prompts, error))
        return Fail(error, 2);
    TrafficLog log;
    if (!options_.logPath.empty() && !log.Open(options_.logPath, error)) return Fail(error, 2);

    // From here the pseudo-terminal, its link and the flash file need an orderly end.
    signals.Catch();
    setup.version = options_.version;
    setup.p1 = options_.p1;
    setup.p2 = options_.p2;
    setup.baud = options_.baud;
    setup.faults = options_.faults;
    VirtualController controller(std::move(setup));
    PtyHost host(controller, log);
    if (!host.Open(options_.baud, error)) return Fail(error, 2);
    if (!options_.linkPath.empty() && !host.Link(options_.linkPath, error)) return Fail(error, 2);
    log.Note(host.Micros(), std::string("start: ") + host.SlavePath() + ", tryb " +
                                VirtualController::ModeName(controller.CurrentMode()) + ", " +
                                std::to_string(options_.baud) + " bodów");
    std::printf("%s\n", host.SlavePath().c_str());
    std::fflush(stdout);

    std::string why;
    const PtyHost::End end = host.Run(signals.Fd(), why);
    if (end == PtyHost::End::Stopped) why = std::string("sygnał ") + signals.Take();
    log.Note(host.Micros(), "koniec: " + why);

    int code = end == PtyHost::End::Failed ? Fail(why, 1) : 0;
    if (!options_.flashPath.empty() && !FlashFile::Save(options_.flashPath, controller.Flash(), error))
        code = Fail("nie zapisano pamięci flash: " + error, 1);
    return code;
}

}  // namespace orvane::sim
