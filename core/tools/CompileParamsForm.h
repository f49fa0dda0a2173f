// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

#include "core/compiler/CompileSettings.h"
#include "core/host/FileChooser.h"
#include "core/host/SettingsStore.h"

namespace orvane::tools {

// The "Parametry kompilacji" dialog without its widgets: the memory definitions file, the
// configuration file, the assembler and its include folder. It shows the values the compile
// uses (its defaults included), so OK on an untouched dialog changes nothing.
class CompileParamsForm {
public:
    enum Field { kMemory, kConfiguration, kAssembler, kAppnotes };
    using Paths = std::array<std::string, 4>;  // by Field, CP1250

    // `programFolder` as the compile gets it (host::PlatformFolders::programFolder).
    CompileParamsForm(host::SettingsStore& settings, std::string programFolder);

    Paths Open() const;
    // ">>" of a field: the file dialog with the field's filter and initial name; a chosen file
    // replaces the field (for the include folder: the chosen file's folder, with its "/").
    // The include folder's field gets its trailing "/" even when the dialog is cancelled.
    void Browse(Field field, Paths& paths, host::FileChooser& files) const;
    // OK: the four settings, memory definitions file first.
    void Accept(const Paths& paths);

    static host::FileRequest BrowseRequest(Field field, const std::string& value);

private:
    host::SettingsStore& settings_;
    compiler::CompileSettings compile_;
};

}  // namespace orvane::tools
