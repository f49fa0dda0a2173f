// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ScriptCompile.h"

#include <cstdio>
#include <sstream>

#include "cli/CliSession.h"
#include "core/commands/CommandTable.h"
#include "core/host/Cp1250.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/PosixProcessRunner.h"
#include "core/platform/TextEditorAccess.h"
#include "core/script/LabelTable.h"
#include "core/script/StatementReader.h"
#include "core/script/VariableTable.h"

namespace orvane::cli {

namespace {

// A script named on the command line is a saved document already.
class FileDocument : public compiler::ScriptDocument {
public:
    explicit FileDocument(std::string path) : path_(std::move(path)) {}
    std::string PathName() const override { return path_; }
    void Save() override {}

private:
    std::string path_;
};

}  // namespace

bool ScriptCompile::Run(CliSession& session, const std::string& scriptPath, compiler::ProgramWriter* writer,
                        compiler::CompileResult& result, std::string& report) {
    std::string text;
    if (!platform::AtomicFile::Read(scriptPath, text)) {
        session.Error("nie można odczytać skryptu " + scriptPath);
        return false;
    }
    commands::CommandTable commands;
    if (!session.LoadCommands(commands)) return false;

    platform::TextEditorAccess editor(std::move(text));
    script::StatementReader reader(editor);
    script::LabelTable labels;
    script::VariableTable variables;
    FileDocument document(host::Utf8ToCp1250(scriptPath));
    std::ostringstream out;
    platform::PosixProcessRunner runner(out);
    compiler::CompileHost host{editor, document, session.Settings(), session.Prompts(), session.Files(),
                               runner, session.Folders().programFolder, writer};
    // On standard error, as the boxes, before anything is assembled or written.
    host.warned = [&session](const std::vector<compiler::EngineWarning>& warnings) {
        for (const auto& w : warnings) std::fprintf(session.Err(), "%s\n", host::Cp1250ToUtf8(w.Text()).c_str());
        return false;
    };
    compiler::CompileDriver driver(std::move(host), {reader, labels, variables, commands});
    result = driver.CompileScript();
    report = out.str();
    return true;
}

}  // namespace orvane::cli
