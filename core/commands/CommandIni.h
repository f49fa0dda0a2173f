// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/commands/CommandDef.h"
#include "core/commands/IniFile.h"

namespace orvane::commands {

// The mapping between one CommandDef and its section "Komenda<n>" of Komendy.ini: key names,
// defaults, value forms and key order.
class CommandIni {
public:
    static std::string SectionName(int n);

    // The command of section n, or nothing where the list ends (no `Nazwa`, or "!!!").
    // Counts outside 0..10 are brought into range, with a line in `warnings`.
    static std::optional<CommandDef> Read(const IniFile& ini, int n,
                                          std::vector<std::string>* warnings);
    // Writes the keys of `def` as section n, in the file's key order.
    static void Write(IniFile& ini, int n, const CommandDef& def);

    // Sections that a list ending before section `end` leaves unread (later "Komenda<k>"
    // sections, repeated ones): one line in `warnings`, since writing the table back would drop
    // them for good.
    static void CheckUnread(const IniFile& ini, int end, std::vector<std::string>* warnings);

private:
    static CommandArg ReadArgument(const IniFile::SectionKeys& keys, int n);
    static int ReadArgumentCount(const IniFile::SectionKeys& keys, const std::string& section,
                                 const std::string& name, std::vector<std::string>* warnings);
};

}  // namespace orvane::commands
