// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSession.h"

#include <filesystem>

#include "core/commands/CommandFile.h"
#include "core/host/Cp1250.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/DataFolder.h"
#include "core/host/SettingKeys.h"

namespace orvane::cli {

CliSession::CliSession(const CliOptions& options, std::FILE* out, std::FILE* err, std::FILE* in)
    : options_(options), out_(out), err_(err), in_(in), prompts_(err, in, options.answer), progress_(err),
      files_(err), modes_(err), folders_(host::PlatformFolders::Detect(platform::DataFolder())) {
    ApplyOverrides();
}

void CliSession::ApplyOverrides() {
    using host::Utf8ToCp1250;
    for (const auto& [key, value] : options_.settings) {
        settings_.Override(Utf8ToCp1250(key), Utf8ToCp1250(value));
    }
    if (options_.portPath) settings_.OverridePort(Utf8ToCp1250(*options_.portPath));
    if (options_.comNumber) settings_.Override(host::SettingKeys::kCom.key, std::to_string(*options_.comNumber));
    if (options_.baudText) settings_.Override(host::SettingKeys::kBaudRate.key, Utf8ToCp1250(*options_.baudText));
    if (options_.verify) settings_.Override(device::FlashOperations::kVerifySetting, "1");
}

bool CliSession::Connect() {
    if (connected_) return portOpen_;
    connected_ = true;
    portOpen_ = OpenPort();
    if (portOpen_) Link().QueryDeviceMode();
    return portOpen_;
}

bool CliSession::OpenPort() {
    if (Link().OpenPortAtStartUp()) return true;
    Error(host::Cp1250ToUtf8(Serial().LastOpenError()));
    return false;
}

bool CliSession::Allowed(bool allowed, const char* command) {
    if (!allowed) {
        Error(std::string("polecenie ") + command + " jest niedostępne w trybie " +
              host::Cp1250ToUtf8(device::ModeName(Link().Mode())));
    }
    return allowed;
}

void CliSession::ReportUnsavedSettings() {
    if (!file_.LastError().isEmpty()) {
        Error("ustawienia nie zostały zapisane: " + file_.LastError().toStdString());
    }
}

bool CliSession::LoadCommands(commands::CommandTable& table) {
    using commands::CommandFile;
    if (options_.commandsFile) {
        std::error_code error;
        const auto path = std::filesystem::absolute(*options_.commandsFile, error);
        return CommandFile::LoadFrom(host::Utf8ToCp1250(error ? *options_.commandsFile : path.string()),
                                     table, prompts_);
    }
    const std::string fallback = CommandFile::PrepareDefault(settings_, folders_);
    if (CommandFile::Load(table, settings_, files_, prompts_, fallback)) return true;
    const std::string path = settings_.ReadString(CommandFile::kPathKey, fallback);
    if (!platform::AtomicFile::Exists(path)) {
        Error("nie znaleziono pliku definicji komend " + host::Cp1250ToUtf8(path) +
              " (ustawienie Plik komend); wskaż go opcją --commands PLIK lub --setting \"Plik komend=PLIK\"");
    }
    return false;
}

void CliSession::Error(const std::string& message) {
    std::fprintf(err_, "orvane-cli: %s\n", message.c_str());
    std::fflush(err_);
}

}  // namespace orvane::cli
