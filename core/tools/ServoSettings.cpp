#include "core/tools/ServoSettings.h"

#include "core/host/Cp1250.h"

namespace orvane::tools {

std::string ServoSettings::SetCommand(const host::SettingsStore& settings) {
    return settings.ReadString(host::Pl("Komenda ustalająca pozycję serw w ms"), "ServoSet");
}

std::string ServoSettings::ReadCommand(const host::SettingsStore& settings) {
    return settings.ReadString(host::Pl("Komenda odczytująca pozycję serw w ms"), "ServoRead");
}

std::string ServoSettings::SetDegreesCommand(const host::SettingsStore& settings) {
    return settings.ReadString(host::Pl("Komenda ustalająca pozycję serw w stopniach"), "ServoSetS");
}

}  // namespace orvane::tools
