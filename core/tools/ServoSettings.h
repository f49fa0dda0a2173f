#pragma once
#include <string>

#include "core/host/SettingsStore.h"

namespace orvane::tools {

// The settings the servo tools read and keep: which commands set and read a servo, and the
// position dialog's formula and execution time.
class ServoSettings {
public:
    // The position commands in the controller's units (the keys call them milliseconds).
    static std::string SetCommand(const host::SettingsStore& settings);
    static std::string ReadCommand(const host::SettingsStore& settings);
    // The position command in degrees, which drives the same servos.
    static std::string SetDegreesCommand(const host::SettingsStore& settings);

    static constexpr const char* kFormulaKey = "Oblicz";
    static constexpr const char* kTimeKey = "Czas";
};

}  // namespace orvane::tools
