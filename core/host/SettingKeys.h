// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>

namespace orvane::host {

// A stored setting: its key in the `ORVANE` section and the value a missing key stands for.
struct IntSetting {
    std::string_view key;
    int fallback;
};
struct TextSetting {
    std::string_view key;
    std::string_view fallback;
};

// The settings the core, orvane-cli and the window all read or write, each named once with its
// default, so no two places can disagree on either.
struct SettingKeys {
    static constexpr IntSetting kCom{"COM", 1};
    static constexpr TextSetting kBaudRate{"Baud Rate", "115,2k"};
    static constexpr IntSetting kTabSize{"Tab size", 3};
    // The state check's periods in seconds while the controller answers and while it is silent.
    static constexpr IntSetting kCheckAnswering{"Sprawdzaj odpowiada co", 2};
    static constexpr IntSetting kCheckSilent{"Sprawdzaj NIE odpowiada co", 0};
};

}  // namespace orvane::host
