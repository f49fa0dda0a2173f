// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/commands/CommandTable.h"
#include "core/host/FileChooser.h"
#include "core/host/PlatformFolders.h"
#include "core/host/Prompts.h"
#include "core/host/SettingsStore.h"

namespace orvane::commands {

// Komendy.ini: one section "Komenda<n>" per command, n = 1, 2, 3 ... without gaps; the list
// ends at the first section without `Nazwa` (or with the name "!!!"). Text is CP1250.
class CommandFile {
public:
    // Every command of an INI text / file, no dialogs (used by the virtual controller and tools).
    // The table is replaced as a whole; the command read last becomes the newest.
    // `warnings` (may be null) receives one CP1250 line per thing worth telling, e.g. an
    // `Argumenty` above ten (the first ten are kept) or sections left behind the list's end.
    static void Parse(std::string_view iniBytes, CommandTable& table,
                      std::vector<std::string>* warnings);
    // False (empty table, one warning line) when the file cannot be read.
    static bool ReadFile(const std::string& path, CommandTable& table,
                         std::vector<std::string>* warnings);

    // The loader: empties the table, finds the file from "Plik komend" (default `defaultPath`,
    // which the caller builds as allUsersFolder + "Komendy.ini"), runs the Open-file dialog loop
    // when the file is missing (cancel: empty table, no message), stores the path (a chosen one
    // made absolute), reads. False when no file was chosen or it could not be read.
    static bool Load(CommandTable& table, host::SettingsStore& settings, host::FileChooser& files,
                     host::Prompts& prompts, const std::string& defaultPath);
    // Reads the file at `path`, settings untouched; what is worth telling goes into one box:
    // "Błąd odczytu pliku (OIK2)" when it cannot be read (false), "Komendy (OIK1)" with the
    // warnings of Parse.
    static bool LoadFrom(const std::string& path, CommandTable& table, host::Prompts& prompts);

    // The writer with the "Błąd zapisu do pliku" loop; true when written (the editor then
    // closes), false when the user gave up (nothing written, the old file untouched).
    static bool Write(const CommandTable& table, host::SettingsStore& settings,
                      host::FileChooser& files, host::Prompts& prompts);

    // The exact file bytes: the newest record becomes section Komenda1.
    static std::string Serialize(const CommandTable& table);

    // The loader's default path, allUsersFolder + "Komendy.ini". On a first run, when no
    // command file was chosen yet and none stands there, the file shipped in the program folder
    // is copied there first, so the user starts with the controller's commands and edits a
    // copy of their own.
    static std::string PrepareDefault(const host::SettingsStore& settings,
                                      const host::PlatformFolders& folders);

    // The settings key that names the file, and the writer's default when it is unset.
    static constexpr std::string_view kPathKey = "Plik komend";
    static constexpr std::string_view kWriteDefaultPath = "Komendy.ini";
};

}  // namespace orvane::commands
