// SPDX-License-Identifier: GPL-3.0-or-later
// version, erase, write and read: the Wykonaj ▸ Program / System menus on a terminal.
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "core/device/FlashArea.h"
#include "core/device/ModeRules.h"
#include "core/host/Cp1250.h"

namespace orvane::cli {

namespace {

using device::FlashArea;
using device::FlashResult;
using device::ModeRules;

std::optional<FlashArea::Kind> AreaOf(CliSession& session, const std::string& word) {
    const auto kind = FlashArea::Parse(word);
    if (!kind) session.Error("nieznany obszar " + word + " (program albo system)");
    return kind;
}

int Exit(FlashResult result) { return result == FlashResult::Done ? CliCommand::kOk : CliCommand::kFailed; }

int RunVersion(CliSession& session, const std::vector<std::string>&) {
    if (!session.Connect()) return CliCommand::kFailed;
    if (!session.Allowed(ModeRules::CanQueryVersion(session.Link().Mode()), "version")) {
        return CliCommand::kFailed;
    }
    const auto version = session.Flash().Version();
    if (!version) return CliCommand::kFailed;
    std::fprintf(session.Out(), "%s\n", host::Cp1250ToUtf8(*version).c_str());
    return CliCommand::kOk;
}

// The area argument, the connection and the mode the menus require, in that order.
std::optional<FlashArea::Kind> Prepare(CliSession& session, const std::string& area, const char* command) {
    const auto kind = AreaOf(session, area);
    if (!kind || !session.Connect()) return std::nullopt;
    if (!session.Allowed(ModeRules::CanTransferFlash(session.Link().Mode()), command)) return std::nullopt;
    return kind;
}

int RunErase(CliSession& session, const std::vector<std::string>& arguments) {
    if (!FlashArea::Parse(arguments[0])) return AreaOf(session, arguments[0]), CliCommand::kUsage;
    const auto kind = Prepare(session, arguments[0], "erase");
    return kind ? Exit(session.Flash().Erase(*kind)) : CliCommand::kFailed;
}

int RunWrite(CliSession& session, const std::vector<std::string>& arguments) {
    if (!FlashArea::Parse(arguments[0])) return AreaOf(session, arguments[0]), CliCommand::kUsage;
    session.Files().Offer(host::Utf8ToCp1250(arguments[1]));
    const auto kind = Prepare(session, arguments[0], "write");
    if (!kind) return CliCommand::kFailed;
    const FlashResult result = session.Flash().Write(*kind);
    if (result == FlashResult::Done && session.Options().verify) {
        std::fprintf(session.Out(), "Weryfikacja: zawartość pamięci zgodna z plikiem.\n");
    }
    return Exit(result);
}

int RunRead(CliSession& session, const std::vector<std::string>& arguments) {
    if (!FlashArea::Parse(arguments[0])) return AreaOf(session, arguments[0]), CliCommand::kUsage;
    session.Files().Offer(host::Utf8ToCp1250(arguments[1]));
    const auto kind = Prepare(session, arguments[0], "read");
    return kind ? Exit(session.Flash().ReadOut(*kind)) : CliCommand::kFailed;
}

const CliCommand::Registrar kVersion{{"version", "version", "wypisuje wersję Systemu sterownika", 0, 0, &RunVersion}};
const CliCommand::Registrar kErase{{"erase", "erase program|system", "kasuje obszar pamięci flash", 1, 1, &RunErase}};
const CliCommand::Registrar kWrite{{"write", "write program|system PLIK.hex [--verify]",
                                    "zapisuje plik HEX do obszaru pamięci flash", 2, 2, &RunWrite}};
const CliCommand::Registrar kRead{{"read", "read program|system PLIK.hex",
                                   "odczytuje obszar pamięci flash do pliku HEX", 2, 2, &RunRead}};

}  // namespace

}  // namespace orvane::cli
