// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/SettingsForm.h"

#include <algorithm>
#include <charconv>

#include "core/commands/CommandFile.h"
#include "core/platform/AtomicFile.h"
#include "core/host/AsciiText.h"
#include "core/host/Cp1250.h"
#include "core/tools/ServoSettings.h"

namespace orvane::tools {

namespace {

std::vector<std::string> SortedNames(std::string_view list) {
    std::vector<std::string> names;
    for (std::size_t start = 0; start < list.size();) {
        std::size_t end = list.find(';', start);
        if (end == std::string_view::npos) end = list.size();
        std::string name(list.substr(start, end - start));
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        start = end + 1;
    }
    // A sorted box ignores case, and a name sorts before the longer names it begins.
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return host::FoldCase(a) < host::FoldCase(b);
    });
    return names;
}

int FirstStartingWith(const std::vector<std::string>& names, const std::string& prefix) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].size() >= prefix.size() && host::EqualsIgnoreCase(names[i].substr(0, prefix.size()), prefix)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

using host::TrimSpaces;

}  // namespace

const std::array<std::string, 4>& SettingsForm::CommandKeys() { return ServoSettings::CommandKeys(); }

const std::array<std::string, 2>& SettingsForm::IntervalKeys() {
    static const std::array<std::string, 2> keys = {std::string(host::SettingKeys::kCheckAnswering.key),
                                                    std::string(host::SettingKeys::kCheckSilent.key)};
    return keys;
}

SettingsForm::SettingsForm(host::SettingsStore& settings, host::Prompts& prompts,
                           const commands::CommandTable& commands, std::string defaultCommandFile)
    : settings_(settings), prompts_(prompts), commands_(commands),
      defaultCommandFile_(std::move(defaultCommandFile)) {}

SettingsValues SettingsForm::Open(std::string_view commandNames) const {
    SettingsValues values;
    values.commandFile = settings_.ReadString(commands::CommandFile::kPathKey, defaultCommandFile_);
    const std::vector<std::string> names = SortedNames(commandNames);
    for (std::size_t i = 0; i < values.commands.size(); ++i) {
        CommandChoice& choice = values.commands[i];
        choice.names = names;
        const auto command = static_cast<ServoSettings::Command>(i);
        choice.selected = FirstStartingWith(names, ServoSettings::CommandName(settings_, command));
        values.commandTexts[i] = choice.selected < 0 ? std::string() : names[static_cast<std::size_t>(choice.selected)];
    }
    // The intervals the state check really uses, so OK on an untouched dialog changes nothing;
    // a negative one runs no check, like 0.
    for (std::size_t i = 0; i < values.intervals.size(); ++i) {
        const int seconds = std::clamp(settings_.ReadInt(IntervalKeys()[i], kDefaultIntervals[i]), 0, kMaxInterval);
        values.intervals[i] = {seconds != 0, std::to_string(seconds)};
    }
    return values;
}

host::FileRequest SettingsForm::BrowseRequest(const std::string& currentPath) {
    return {host::Pl("Piki INI (*.ini)|*.ini|Wszystkie pliki (*.*)|*.*|"), "*.ini", currentPath};
}

std::string SettingsForm::ChosenName(const CommandChoice& choice, const std::string& text) {
    const bool listed = std::find(choice.names.begin(), choice.names.end(), text) != choice.names.end();
    return listed ? text : std::string(kNoCommand);
}

std::optional<int> SettingsForm::IntervalOf(const IntervalField& field, int index) const {
    if (!field.checked) return 0;
    std::string_view text = TrimSpaces(field.text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int seconds = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (!text.empty() && error == std::errc() && end == text.data() + text.size() && seconds >= 0 &&
        seconds <= kMaxInterval) {
        return seconds;
    }
    const char* which = index == kAnswering ? "„Gdy odpowiada”" : "„Gdy nie odpowiada”";
    prompts_.Tell("Ustawienia",
                  host::Pl("Odstęp sprawdzania ") + host::Pl(which) +
                      host::Pl(" musi być liczbą całkowitą sekund od 0 do ") + std::to_string(kMaxInterval) + ".",
                  host::Icon::Warning);
    return std::nullopt;
}

// A command file named anew may start as a copy of the commands loaded now; otherwise the
// loader asks for a file when the table is loaded again.
bool SettingsForm::PrepareCommandFile(const std::string& path) {
    const std::string systemPath = host::Cp1250ToUtf8(path);
    if (platform::AtomicFile::Exists(systemPath)) return true;
    if (!prompts_.AskYesNo("Ustawienia", host::Pl("Plik komend „") + path +
                                             host::Pl("” nie istnieje.\nCzy utworzyć go z wczytanych teraz komend?"))) {
        return true;
    }
    std::string error;
    if (platform::AtomicFile::Write(systemPath, commands::CommandFile::Serialize(commands_), &error)) return true;
    prompts_.Tell(host::Pl("Błąd zapisu do pliku"), path + "\n" + error, host::Icon::Error);
    return false;
}

bool SettingsForm::Accept(const SettingsValues& values, int* badField) {
    auto refuse = [badField](int field) {
        if (badField != nullptr) *badField = field;
        return false;
    };
    if (TrimSpaces(values.commandFile).empty()) {
        prompts_.Tell("Ustawienia", host::Pl("Podaj ścieżkę pliku komend."), host::Icon::Warning);
        return refuse(0);
    }
    std::array<int, 2> intervals{};
    for (std::size_t i = 0; i < intervals.size(); ++i) {
        const auto seconds = IntervalOf(values.intervals[i], static_cast<int>(i));
        if (!seconds) return refuse(static_cast<int>(i) + 1);
        intervals[i] = *seconds;
    }
    if (!PrepareCommandFile(values.commandFile)) return refuse(0);
    settings_.WriteString(commands::CommandFile::kPathKey, values.commandFile);
    for (std::size_t i = 0; i < values.commands.size(); ++i) {
        settings_.WriteString(CommandKeys()[i], ChosenName(values.commands[i], values.commandTexts[i]));
    }
    for (std::size_t i = 0; i < intervals.size(); ++i) settings_.WriteInt(IntervalKeys()[i], intervals[i]);
    return true;
}

}  // namespace orvane::tools
