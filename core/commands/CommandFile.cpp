// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/commands/CommandFile.h"

#include <algorithm>
#include <filesystem>

#include "core/commands/CommandIni.h"
#include "core/commands/IniFile.h"
#include "core/host/Cp1250.h"
#include "core/platform/AtomicFile.h"

namespace orvane::commands {

namespace {

// Paths here are CP1250, as the settings and the dialogs give them; the file system spells them
// in UTF-8.
std::string Os(const std::string& path) { return host::Cp1250ToUtf8(path); }

host::FileRequest OpenRequest(const std::string& path) {
    return {host::Pl("Piki INI (*.ini)|*.ini|Wszystkie pliki (*.*)|*.*|"), "*.ini", path};
}

// A path chosen in a dialog is stored whole: a relative one would name another file, or none,
// as soon as the program starts from another folder.
std::string Absolute(const std::string& path) {
    if (path.empty() || path.front() == '/') return path;
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? path : host::Utf8ToCp1250(folder.string()) + "/" + path;
}

// The "Błąd zapisu do pliku" box: true when the user wants another try.
bool AskRetry(host::Prompts& prompts, const std::string& path) {
    return prompts.AskYesNo(host::Pl("Błąd zapisu do pliku"),
                            host::Pl("Błąd otwarcia pliku komend: ") + path +
                                host::Pl("\n\nCzy kontynuować pracę?"));
}

// Settles `path` on a file that can be written: asks again while an existing file refuses,
// offers the Open dialog while there is no file. False when the user gives up.
bool FindWritable(std::string& path, host::FileChooser& files, host::Prompts& prompts) {
    while (!platform::AtomicFile::CanWrite(Os(path))) {
        if (platform::AtomicFile::Exists(Os(path))) {
            if (!AskRetry(prompts, path)) return false;
            continue;
        }
        const auto chosen = files.ChooseOpen(OpenRequest(path));
        if (!chosen) return false;
        path = Absolute(*chosen);
    }
    return true;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += (out.empty() ? "" : "\n") + line;
    return out;
}

}  // namespace

void CommandFile::Parse(std::string_view iniBytes, CommandTable& table,
                        std::vector<std::string>* warnings) {
    table.Clear();
    const IniFile ini = IniFile::FromBytes(iniBytes);
    std::vector<CommandDef> loaded;
    int n = 1;
    for (; auto def = CommandIni::Read(ini, n, warnings); ++n) loaded.push_back(std::move(*def));
    // Read in file order and turned round once: putting each record in front would cost time
    // quadratic in the number of commands.
    std::reverse(loaded.begin(), loaded.end());
    table.NewestFirst() = std::move(loaded);
    CommandIni::CheckUnread(ini, n, warnings);
}

bool CommandFile::ReadFile(const std::string& path, CommandTable& table,
                           std::vector<std::string>* warnings) {
    table.Clear();
    std::string bytes;
    // A folder opens as a stream too, and would read as an empty file.
    if (!platform::AtomicFile::Exists(Os(path)) || !platform::AtomicFile::Read(Os(path), bytes)) {
        if (warnings) warnings->push_back(host::Pl("Błąd odczytu pliku komend: ") + path);
        return false;
    }
    Parse(bytes, table, warnings);
    return true;
}

bool CommandFile::Load(CommandTable& table, host::SettingsStore& settings,
                       host::FileChooser& files, host::Prompts& prompts,
                       const std::string& defaultPath) {
    table.Clear();
    std::string path = settings.ReadString(kPathKey, defaultPath);
    while (!platform::AtomicFile::Exists(Os(path))) {
        const auto chosen = files.ChooseOpen(OpenRequest(path));
        if (!chosen) return false;
        path = Absolute(*chosen);
    }
    settings.WriteString(kPathKey, path);
    return LoadFrom(path, table, prompts);
}

bool CommandFile::LoadFrom(const std::string& path, CommandTable& table, host::Prompts& prompts) {
    std::vector<std::string> warnings;
    if (!ReadFile(path, table, &warnings)) {
        prompts.Tell(host::Pl("Błąd odczytu pliku (OIK2)"), JoinLines(warnings), host::Icon::Error);
        return false;
    }
    if (!warnings.empty()) prompts.Tell(host::Pl("Komendy (OIK1)"), JoinLines(warnings), host::Icon::Warning);
    return true;
}

bool CommandFile::Write(const CommandTable& table, host::SettingsStore& settings,
                        host::FileChooser& files, host::Prompts& prompts) {
    const std::string bytes = Serialize(table);
    std::string path = settings.ReadString(kPathKey, kWriteDefaultPath);
    // The bytes go to a temporary file that replaces the old one only when complete, so a
    // failure at any point leaves the previous file as it was.
    while (FindWritable(path, files, prompts)) {
        settings.WriteString(kPathKey, path);
        if (platform::AtomicFile::Write(Os(path), bytes)) return true;
        if (!AskRetry(prompts, path)) return false;
    }
    return false;
}

std::string CommandFile::Serialize(const CommandTable& table) {
    IniFile ini;
    int n = 0;
    for (const CommandDef& def : table.NewestFirst()) CommandIni::Write(ini, ++n, def);
    return ini.ToBytes();
}

std::string CommandFile::PrepareDefault(const host::SettingsStore& settings,
                                        const host::PlatformFolders& folders) {
    // The folders are the system's (UTF-8); the path handed on is a setting's (CP1250).
    const std::string path = folders.allUsersFolder + "Komendy.ini";
    const std::string setting = host::Utf8ToCp1250(path);
    if (!settings.ReadString(kPathKey, "").empty() || platform::AtomicFile::Exists(path)) return setting;
    std::string shipped;
    if (!platform::AtomicFile::Read(folders.programFolder + "Komendy.ini", shipped)) return setting;
    std::error_code ignored;
    std::filesystem::create_directories(folders.allUsersFolder, ignored);
    platform::AtomicFile::Write(path, shipped);  // a failure leaves the loader's Open dialog to ask
    return setting;
}

}  // namespace orvane::commands
