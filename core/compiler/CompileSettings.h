// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "core/host/SettingsStore.h"

namespace orvane::compiler {

// The settings of a compile, read afresh each time they are needed. The defaults point at what
// the project installs: avra, its include folder, and the configuration and memory definition
// files shipped in the program folder.
class CompileSettings {
public:
    // Keys of the ORVANE section, CP1250.
    static const std::string& ConfigurationKey();      // "Plik konfiguracji"
    static const std::string& MemoryDefinitionsKey();  // "Plik pamięci"
    static const std::string& AssemblerKey();          // "Kompilator"
    static const std::string& AppnotesKey();           // "Katalog Appnotes"
    static const std::string& HexFileKey();            // "Plik"

    static constexpr const char* kDefaultAssembler = "avra";
    static constexpr const char* kDefaultAppnotes = "/usr/share/avra/";

    // `programFolder` ends with "/" (host::PlatformFolders::programFolder).
    CompileSettings(host::SettingsStore& settings, std::string programFolder);

    std::string DefaultConfigurationFile() const { return programFolder_ + "Konfig.asm"; }
    std::string DefaultMemoryDefinitionsFile() const { return programFolder_ + "Pamiec.asm"; }

    std::string ConfigurationFile() const;
    std::string MemoryDefinitionsFile() const;
    std::string Assembler() const;
    std::string AppnotesFolder() const;

    void StoreConfigurationFile(const std::string& path);
    void StoreMemoryDefinitionsFile(const std::string& path);
    void StoreHexFile(const std::string& path);

private:
    host::SettingsStore& settings_;
    std::string programFolder_;
};

}  // namespace orvane::compiler
