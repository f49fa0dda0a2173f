// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/CompileParamsForm.h"

#include <cstdlib>
#include <filesystem>

#include "core/host/Cp1250.h"

namespace orvane::tools {

namespace {

constexpr const char* kAsmFilter = "Piki ASM (*.asm)|*.asm|Wszystkie pliki (*.*)|*.*|";
constexpr const char* kIncludeFile = "m8def.inc";

// A bare program name ("avra") is found where the system would run it from, so the file
// dialog opens beside it.
std::string ProgramPath(const std::string& value) {
    if (value.empty() || value.find('/') != std::string::npos) return value;
    const char* path = std::getenv("PATH");
    std::string_view folders = path ? path : "";
    while (!folders.empty()) {
        const std::size_t colon = folders.find(':');
        const std::string folder(folders.substr(0, colon));
        folders = colon == std::string_view::npos ? std::string_view() : folders.substr(colon + 1);
        if (folder.empty()) continue;
        const std::string candidate = folder + "/" + value;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return value;
}

}  // namespace

CompileParamsForm::CompileParamsForm(host::SettingsStore& settings, std::string programFolder)
    : settings_(settings), compile_(settings, std::move(programFolder)) {}

CompileParamsForm::Paths CompileParamsForm::Open() const {
    return {compile_.MemoryDefinitionsFile(), compile_.ConfigurationFile(), compile_.Assembler(),
            compile_.AppnotesFolder()};
}

host::FileRequest CompileParamsForm::BrowseRequest(Field field, const std::string& value) {
    switch (field) {
        case kMemory:
        case kConfiguration: return {kAsmFilter, "*.asm", value};
        case kAssembler:
            return {host::Pl("Piki programów (avra*)|avra*|Wszystkie pliki (*.*)|*.*|"), "", ProgramPath(value)};
        case kAppnotes: break;
    }
    return {"Wszystkie pliki|*.*|", "*.*", value + kIncludeFile};
}

void CompileParamsForm::Browse(Field field, Paths& paths, host::FileChooser& files) const {
    std::string& value = paths[field];
    if (field == kAppnotes && (value.empty() || value.back() != '/')) value += '/';
    const auto chosen = files.ChooseOpen(BrowseRequest(field, value));
    if (!chosen) return;
    if (field != kAppnotes) {
        value = *chosen;
        return;
    }
    const std::size_t slash = chosen->rfind('/');
    value = slash == std::string::npos ? std::string("./") : chosen->substr(0, slash + 1);
}

void CompileParamsForm::Accept(const Paths& paths) {
    compile_.StoreMemoryDefinitionsFile(paths[kMemory]);
    compile_.StoreConfigurationFile(paths[kConfiguration]);
    settings_.WriteString(compiler::CompileSettings::AssemblerKey(), paths[kAssembler]);
    settings_.WriteString(compiler::CompileSettings::AppnotesKey(), paths[kAppnotes]);
}

}  // namespace orvane::tools
