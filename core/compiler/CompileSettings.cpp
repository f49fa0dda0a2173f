// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/CompileSettings.h"

#include "core/host/Cp1250.h"

namespace orvane::compiler {

const std::string& CompileSettings::ConfigurationKey() {
    static const std::string key = "Plik konfiguracji";
    return key;
}
const std::string& CompileSettings::MemoryDefinitionsKey() {
    static const std::string key = host::Pl("Plik pamięci");
    return key;
}
const std::string& CompileSettings::AssemblerKey() {
    static const std::string key = "Kompilator";
    return key;
}
const std::string& CompileSettings::AppnotesKey() {
    static const std::string key = "Katalog Appnotes";
    return key;
}
const std::string& CompileSettings::HexFileKey() {
    static const std::string key = "Plik";
    return key;
}

CompileSettings::CompileSettings(host::SettingsStore& settings, std::string programFolder)
    : settings_(settings), programFolder_(std::move(programFolder)) {
    if (!programFolder_.empty() && programFolder_.back() != '/') programFolder_ += '/';
}

std::string CompileSettings::ConfigurationFile() const {
    return settings_.ReadString(ConfigurationKey(), DefaultConfigurationFile());
}
std::string CompileSettings::MemoryDefinitionsFile() const {
    return settings_.ReadString(MemoryDefinitionsKey(), DefaultMemoryDefinitionsFile());
}
std::string CompileSettings::Assembler() const {
    return settings_.ReadString(AssemblerKey(), kDefaultAssembler);
}
std::string CompileSettings::AppnotesFolder() const {
    return settings_.ReadString(AppnotesKey(), kDefaultAppnotes);
}

void CompileSettings::StoreConfigurationFile(const std::string& path) {
    settings_.WriteString(ConfigurationKey(), path);
}
void CompileSettings::StoreMemoryDefinitionsFile(const std::string& path) {
    settings_.WriteString(MemoryDefinitionsKey(), path);
}
void CompileSettings::StoreHexFile(const std::string& path) {
    settings_.WriteString(HexFileKey(), path);
}

}  // namespace orvane::compiler
