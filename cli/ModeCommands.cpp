// SPDX-License-Identifier: GPL-3.0-or-later
// mode, switch and params: the Tryb pracy menu and the device parameters on a terminal.
#include <optional>

#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "core/device/ModeRules.h"
#include "core/host/Cp1250.h"

namespace orvane::cli {

namespace {

using device::DeviceMode;

int RunMode(CliSession& session, const std::vector<std::string>&) {
    if (!session.Connect()) return CliCommand::kFailed;
    const DeviceMode mode = session.Link().Mode();
    std::fprintf(session.Out(), "%s\n", host::Cp1250ToUtf8(device::ModeName(mode)).c_str());
    return mode == DeviceMode::Unknown ? CliCommand::kFailed : CliCommand::kOk;
}

int RunSwitch(CliSession& session, const std::vector<std::string>& arguments) {
    const std::string_view target = arguments[0];
    device::DeviceLink& link = session.Link();
    void (device::DeviceLink::*change)() = nullptr;
    DeviceMode mode = DeviceMode::NotQueried;
    for (const auto& [wanted, member] : {std::pair{DeviceMode::System, &device::DeviceLink::SwitchToSystem},
                                         std::pair{DeviceMode::Komendy, &device::DeviceLink::SwitchToKomendy},
                                         std::pair{DeviceMode::Program, &device::DeviceLink::SwitchToProgram},
                                         std::pair{DeviceMode::BootLoader, &device::DeviceLink::SwitchToBootLoader}}) {
        if (host::EqualsIgnoreCase(device::ModeName(wanted), target)) {
            change = member;
            mode = wanted;
        }
    }
    if (!change) {
        session.Error("nieznany tryb " + std::string(target) + " (System, Komendy, Program, BootLoader)");
        return CliCommand::kUsage;
    }
    if (!session.Connect()) return CliCommand::kFailed;
    (link.*change)();
    return link.IsMode(mode) ? CliCommand::kOk : CliCommand::kFailed;
}

std::optional<bool> Flag(const std::string& word) {
    if (word == "1" || host::EqualsIgnoreCase(word, "tak")) return true;
    if (word == "0" || host::EqualsIgnoreCase(word, "nie")) return false;
    return std::nullopt;
}

void PrintParams(CliSession& session, const device::DeviceParams& p) {
    std::fprintf(session.Out(), "Uruchamiaj pragram użytkownika na starcie: %s\n"
                                "Rozpocznij pracę od trybu Komendy: %s\n",
                 p.runUserProgramAtStart ? "tak" : "nie", p.startInKomendy ? "tak" : "nie");
}

int RunParams(CliSession& session, const std::vector<std::string>& arguments) {
    std::optional<device::DeviceParams> wanted;
    if (!arguments.empty()) {
        const auto run = arguments.size() == 3 ? Flag(arguments[1]) : std::nullopt;
        const auto komendy = arguments.size() == 3 ? Flag(arguments[2]) : std::nullopt;
        if (arguments[0] != "--set" || !run || !komendy) {
            session.Error("params przyjmuje tylko --set URUCHAMIAJ KOMENDY (0 albo 1 każde)");
            return CliCommand::kUsage;
        }
        wanted = device::DeviceParams{*run, *komendy};
    }
    if (!session.Connect()) return CliCommand::kFailed;
    if (!session.Allowed(device::ModeRules::CanEditDeviceParameters(session.Link().Mode()), "params")) {
        return CliCommand::kFailed;
    }
    const bool read = session.Link().EditDeviceParameters([&](device::DeviceParams& params) {
        PrintParams(session, params);
        if (!wanted) return false;
        if (wanted->runUserProgramAtStart && wanted->startInKomendy) {
            session.Prompts().Tell("INFO", host::Pl("Program użytkownika będzie uruchamiany na starcie tylko wtedy, "
                                                    "gdy praca urządzenia nie rozpoczyna się od trybu Komend."));
        }
        params = *wanted;
        std::fprintf(session.Out(), "Zapisano:\n");
        PrintParams(session, params);
        return true;
    });
    return read ? CliCommand::kOk : CliCommand::kFailed;
}

const CliCommand::Registrar kMode{{"mode", "mode", "sprawdza tryb pracy sterownika i wypisuje go", 0, 0, &RunMode}};
const CliCommand::Registrar kSwitch{{"switch", "switch System|Komendy|Program|BootLoader",
                                     "przełącza sterownik w podany tryb", 1, 1, &RunSwitch}};
const CliCommand::Registrar kParams{{"params", "params [--set URUCHAMIAJ KOMENDY]",
                                     "odczytuje (i z --set zapisuje, 0 albo 1) parametry urządzenia", 0, 3,
                                     &RunParams}};

}  // namespace

}  // namespace orvane::cli
