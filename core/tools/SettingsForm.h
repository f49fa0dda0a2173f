// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/commands/CommandTable.h"
#include "core/host/FileChooser.h"
#include "core/host/Prompts.h"
#include "core/host/SettingsStore.h"
#include "core/host/SettingKeys.h"

namespace orvane::tools {

// One of the four servo command boxes: its sorted names and the one selected (-1: none).
struct CommandChoice {
    std::vector<std::string> names;
    int selected = -1;
};

// A state-check interval: its check box and its seconds as text.
struct IntervalField {
    bool checked = false;
    std::string text;
};

// What the "Ustawienia" dialog shows and collects (CP1250). For the command boxes the dialog
// gives back the text its box holds; only a name of the list counts as chosen.
struct SettingsValues {
    std::string commandFile;
    std::array<CommandChoice, 4> commands;
    std::array<std::string, 4> commandTexts;
    std::array<IntervalField, 2> intervals;
};

// The "Ustawienia" dialog without its widgets: the command file, the four servo command names
// (set and read, in milliseconds and in degrees) and the two intervals of the state check.
class SettingsForm {
public:
    static constexpr int kAnswering = 0;  // "Gdy odpowiada."
    static constexpr int kSilent = 1;     // "Gdy nie odpowiada"
    // The intervals the state check uses when none is stored: every 2 s while the controller
    // answers, none while it is silent.
    static constexpr std::array<int, 2> kDefaultIntervals = {host::SettingKeys::kCheckAnswering.fallback,
                                                             host::SettingKeys::kCheckSilent.fallback};
    static constexpr int kMaxInterval = 86400;
    static constexpr const char* kNoCommand = "BRAK";

    // `commands` is the table loaded now (a command file named anew may be created from it);
    // `defaultCommandFile` the path the loader uses when none is stored.
    SettingsForm(host::SettingsStore& settings, host::Prompts& prompts,
                 const commands::CommandTable& commands, std::string defaultCommandFile);

    // Opening with the names list ("A;B;C;"): every value from the settings.
    SettingsValues Open(std::string_view commandNames) const;
    // ">": the file dialog for the command file (a name that does not exist yet may be given).
    static host::FileRequest BrowseRequest(const std::string& currentPath);
    // The value a command box stores: its text when the list holds it, else "BRAK".
    static std::string ChosenName(const CommandChoice& choice, const std::string& text);

    // OK: stores everything, true. A value that cannot be stored is refused with a box and
    // nothing is stored (false); `badField` then names it: 0 the command file, 1 and 2 the
    // intervals.
    bool Accept(const SettingsValues& values, int* badField = nullptr);

    static const std::array<std::string, 4>& CommandKeys();
    static const std::array<std::string, 2>& IntervalKeys();

private:
    std::optional<int> IntervalOf(const IntervalField& field, int index) const;
    bool PrepareCommandFile(const std::string& path);

    host::SettingsStore& settings_;
    host::Prompts& prompts_;
    const commands::CommandTable& commands_;
    std::string defaultCommandFile_;
};

}  // namespace orvane::tools
