// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/compiler/RealCompile.h"

#include <filesystem>
#include <sstream>

#include "core/commands/CommandFile.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "core/platform/PosixProcessRunner.h"
#include "core/platform/TextEditorAccess.h"
#include "tests/support/ScriptedFileChooser.h"

namespace orvane::test {

namespace {

const std::string kDataFolder = std::string(ORVANE_DATA_DIR) + "/";

const commands::CommandTable& ShippedCommands() {
    static const commands::CommandTable table = [] {
        commands::CommandTable t;
        commands::CommandFile::ReadFile(kDataFolder + "Komendy.ini", t, nullptr);
        return t;
    }();
    return table;
}

}  // namespace

RealCompile::RealCompile(const std::string& script, const std::string& documentName)
    : document(folder / documentName) {
    std::filesystem::create_directories(std::filesystem::path(host::Cp1250ToUtf8(document)).parent_path());
    platform::TextEditorAccess editor(script);
    script::StatementReader reader(editor);
    script::LabelTable labels;
    script::VariableTable variables;
    FakeDocument doc(document);
    host::MemorySettings settings;
    ScriptedFileChooser files;
    std::ostringstream out;
    platform::PosixProcessRunner runner(out);
    compiler::CompileDriver driver({editor, doc, settings, prompts, files, runner, kDataFolder, nullptr},
                                   {reader, labels, variables, ShippedCommands()});
    result = driver.CompileScript();
    shown = out.str();
}

std::string RealCompile::Report() const {
    return ReadWhole(std::filesystem::path(host::Cp1250ToUtf8(document)).parent_path() / "Wynik.txt");
}

}  // namespace orvane::test
