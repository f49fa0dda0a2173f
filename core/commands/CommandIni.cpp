// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/commands/CommandIni.h"

#include <algorithm>
#include <cstdint>
#include <set>

#include "core/host/Cp1250.h"

namespace orvane::commands {

namespace {

const char* const kSectionPrefix = "Komenda";
const char* const kEndName = "!!!";
constexpr std::size_t kListedSections = 5;  // a warning names at most this many sections

std::string ArgKey(const char* word, int n) { return word + std::to_string(n); }

// Whether a section's name begins with "Komenda" (case ignored), as a command's does.
bool HasCommandPrefix(const std::string& name) {
    const std::string_view prefix(kSectionPrefix);
    return name.size() >= prefix.size() &&
           host::EqualsIgnoreCase(std::string_view(name).substr(0, prefix.size()), prefix);
}

// The number of a section named "Komenda<n>" exactly as the reader asks for it (no sign, no
// leading zero; case ignored), or 0.
int SectionNumber(const std::string& name) {
    const std::string_view prefix(kSectionPrefix);
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 9) return 0;
    if (!HasCommandPrefix(name)) return 0;
    const std::string digits = name.substr(prefix.size());
    if (digits.front() == '0' || !std::all_of(digits.begin(), digits.end(), [](char c) {
            return c >= '0' && c <= '9';
        })) {
        return 0;
    }
    return std::stoi(digits);
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string out;
    for (std::size_t i = 0; i < names.size() && i < kListedSections; ++i) {
        if (i > 0) out += ", ";
        out += names[i];
    }
    if (names.size() > kListedSections) out += host::Pl(", …");
    return out;
}

// Why the list ends at `section`, for the warning about the sections behind it.
std::string EndReason(const IniFile& ini, const std::string& section) {
    if (!ini.HasSection(section)) return host::Pl("brak sekcji");
    if (!ini.HasValue(section, "Nazwa")) return host::Pl("brak klucza Nazwa");
    return std::string("Nazwa=") + kEndName;
}

// A text field as the platform reads it back: its outer blanks never survive a reload.
std::string_view Text(const std::string& s) { return IniFile::TrimBlanks(s); }

// "%c" of the identifier; 0, and a line break that no line can hold, leave the value empty,
// which reads back as 0: such a command then sends nothing rather than a wrong byte.
std::string IdentifierText(std::uint8_t id) {
    if (id == 0 || id == '\r' || id == '\n') return {};
    return std::string(1, static_cast<char>(id));
}

}  // namespace

std::string CommandIni::SectionName(int n) { return kSectionPrefix + std::to_string(n); }

std::optional<CommandDef> CommandIni::Read(const IniFile& ini, int n,
                                           std::vector<std::string>* warnings) {
    const std::string section = SectionName(n);
    const IniFile::SectionKeys keys = ini.KeysOf(section);
    std::string name = keys.GetString("Nazwa", kEndName);
    if (name == kEndName) return std::nullopt;

    CommandDef def;
    def.name = std::move(name);
    def.description = keys.GetString("Opis", "");
    def.asmName = keys.GetString("Nazwa ASM", "");
    const std::string id = keys.GetString("ID", "");
    def.identifier = id.empty() ? 0 : static_cast<std::uint8_t>(id.front());
    def.argumentCount = ReadArgumentCount(keys, section, def.name, warnings);
    def.resultSize = keys.GetInt("Wynik", 0);
    def.resultConstant = keys.GetInt("Stala", 0);
    def.resultMultiplier = keys.GetInt("Mnoznik", 1);
    def.resultDivisor = keys.GetInt("Dzielnik", 1);
    for (int k = 1; k <= def.argumentCount; ++k) {
        def.arguments[static_cast<std::size_t>(k - 1)] = ReadArgument(keys, k);
    }
    return def;
}

CommandArg CommandIni::ReadArgument(const IniFile::SectionKeys& keys, int n) {
    CommandArg arg;
    arg.size = keys.GetInt(ArgKey("Argument ", n), 1);
    arg.multiplier = keys.GetInt(ArgKey("Mnoznik ", n), 1);
    arg.divisor = keys.GetInt(ArgKey("Dzielnik ", n), 1);
    arg.constant = keys.GetInt(ArgKey("Stala ", n), 0);
    arg.description = keys.GetString(ArgKey("Opis ", n), "");
    return arg;
}

// The record holds ten arguments: a larger count keeps the first ten, a negative one none.
int CommandIni::ReadArgumentCount(const IniFile::SectionKeys& keys, const std::string& section,
                                  const std::string& name, std::vector<std::string>* warnings) {
    const int count = keys.GetInt("Argumenty", 0);
    const int kept = std::clamp(count, 0, CommandDef::kMaxArguments);
    if (kept != count && warnings) {
        const std::string where = section + " (" + name + "): Argumenty=" + std::to_string(count);
        warnings->push_back(
            where + (count < 0 ? host::Pl("; przyjęto 0 argumentów.")
                               : host::Pl(", a komenda może mieć najwyżej 10 argumentów; "
                                          "wczytano pierwsze 10.")));
    }
    return kept;
}

void CommandIni::Write(IniFile& ini, int n, const CommandDef& def) {
    const std::string section = SectionName(n);
    ini.SetString(section, "Nazwa", Text(def.name));
    ini.SetString(section, "Opis", Text(def.description));
    ini.SetString(section, "Nazwa ASM", Text(def.asmName));
    ini.SetString(section, "ID", IdentifierText(def.identifier));
    const int count = std::clamp(def.argumentCount, 0, CommandDef::kMaxArguments);
    ini.SetInt(section, "Argumenty", count);
    ini.SetInt(section, "Wynik", def.resultSize);
    ini.SetInt(section, "Stala", def.resultConstant);
    ini.SetInt(section, "Mnoznik", def.resultMultiplier);
    ini.SetInt(section, "Dzielnik", def.resultDivisor);
    for (int k = 1; k <= count; ++k) {
        const CommandArg& arg = def.arguments[static_cast<std::size_t>(k - 1)];
        ini.SetInt(section, ArgKey("Argument ", k), arg.size);
        ini.SetInt(section, ArgKey("Mnoznik ", k), arg.multiplier);
        ini.SetInt(section, ArgKey("Dzielnik ", k), arg.divisor);
        ini.SetInt(section, ArgKey("Stala ", k), arg.constant);
        ini.SetString(section, ArgKey("Opis ", k), Text(arg.description));
    }
}

void CommandIni::CheckUnread(const IniFile& ini, int end, std::vector<std::string>* warnings) {
    if (!warnings) return;
    std::vector<std::string> behind;
    std::vector<std::string> repeated;
    std::vector<std::string> misnamed;  // "Komenda 1", "Komenda01": never asked for
    std::set<int> seen;
    for (const std::string& name : ini.SectionNames()) {
        const int k = SectionNumber(name);
        if (k > end) behind.push_back(name);
        else if (k > 0 && k < end && !seen.insert(k).second) repeated.push_back(name);
        else if (k == 0 && HasCommandPrefix(name)) misnamed.push_back(name);
    }
    if (!misnamed.empty()) {
        warnings->push_back(host::Pl(misnamed.size() == 1 ? "Pominięto sekcję " : "Pominięto sekcje ") +
                            JoinNames(misnamed) +
                            host::Pl(": sekcje komend nazywają się Komenda1, Komenda2, Komenda3 i "
                                     "tak dalej, bez przerw."));
    }
    if (!behind.empty()) {
        warnings->push_back(host::Pl(behind.size() == 1 ? "Pominięto sekcję " : "Pominięto sekcje ") +
                            JoinNames(behind) + host::Pl(": lista komend kończy się na ") +
                            SectionName(end) + " (" + EndReason(ini, SectionName(end)) + ").");
    }
    if (!repeated.empty()) {
        warnings->push_back(
            host::Pl(repeated.size() == 1 ? "Sekcja " : "Sekcje ") + JoinNames(repeated) +
            host::Pl(repeated.size() == 1 ? " powtarza się; wczytano tylko pierwszą."
                                          : " powtarzają się; wczytano tylko pierwsze."));
    }
}

}  // namespace orvane::commands
