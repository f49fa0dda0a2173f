// SPDX-License-Identifier: GPL-3.0-or-later
// identify: the controller's speed found over the nine rates, whatever mode it is in.
#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "core/device/BaudRates.h"
#include "core/device/SpeedFinder.h"
#include "core/host/Cp1250.h"

namespace orvane::cli {

namespace {

// Prints "RATE MODE" (the rate in bits per second, as --baud takes it, and the mode the
// controller answered in); the controller is left in BootLoader, as the RS232 dialog leaves it.
int RunIdentify(CliSession& session, const std::vector<std::string>&) {
    if (!session.OpenPort()) return CliCommand::kFailed;
    device::SpeedFinder finder(session.Serial(), session.Link().PortIndex());
    for (const auto& entry : device::BaudRates::All()) {
        const auto found = finder.AtRate(entry.rate);
        if (!found) continue;
        session.Link().SetCurrentBaud(found->rate);
        std::fprintf(session.Out(), "%d %s\n", found->rate,
                     host::Cp1250ToUtf8(device::ModeName(found->mode)).c_str());
        return CliCommand::kOk;
    }
    session.Prompts().Tell(host::Pl("Błąd"), host::Pl("Błąd identyfikacji RSa."));
    return CliCommand::kFailed;
}

const CliCommand::Registrar kIdentify{{"identify", "identify",
                                       "szuka prędkości sterownika (4800…230400) w każdym trybie; wypisuje "
                                       "prędkość i tryb, w którym odpowiedział, i zostawia go w trybie BootLoader",
                                       0, 0, &RunIdentify}};

}  // namespace

}  // namespace orvane::cli
