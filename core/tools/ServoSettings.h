// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstddef>
#include <string>

#include "core/host/SettingsStore.h"

namespace orvane::tools {

// The settings of the servos: the four commands that set and read a servo (in the order the
// settings dialog shows them), and the position dialog's formula and execution time.
class ServoSettings {
public:
    enum Command : std::size_t { kSetUnits, kSetDegrees, kReadUnits, kReadDegrees };
    // The commands' keys (CP1250; the units are the controller's, which the keys call
    // milliseconds) and the names used while a key is missing.
    static const std::array<std::string, 4>& CommandKeys();
    static constexpr std::array<const char*, 4> kDefaultCommands = {"ServoSet", "ServoSetS", "ServoRead",
                                                                    "ServoReadS"};
    static std::string CommandName(const host::SettingsStore& settings, Command command);

    static std::string SetCommand(const host::SettingsStore& settings) { return CommandName(settings, kSetUnits); }
    static std::string ReadCommand(const host::SettingsStore& settings) { return CommandName(settings, kReadUnits); }
    // The position command in degrees, which drives the same servos.
    static std::string SetDegreesCommand(const host::SettingsStore& settings) {
        return CommandName(settings, kSetDegrees);
    }

    static constexpr const char* kFormulaKey = "Oblicz";
    static constexpr const char* kTimeKey = "Czas";
};

}  // namespace orvane::tools
