// compile: the Kompiluj command on a terminal, with the program write behind --flash.
#include <sstream>

#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "core/commands/CommandTable.h"
#include "core/compiler/CompileDriver.h"
#include "core/compiler/DeviceProgramWriter.h"
#include "core/host/Cp1250.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/PosixProcessRunner.h"
#include "core/platform/TextEditorAccess.h"
#include "core/script/LabelTable.h"
#include "core/script/StatementReader.h"
#include "core/script/VariableTable.h"

namespace orvane::cli {

namespace {

using compiler::CompileOutcome;

// A script named on the command line is a saved document already.
class FileDocument : public compiler::ScriptDocument {
public:
    explicit FileDocument(std::string path) : path_(std::move(path)) {}
    std::string PathName() const override { return path_; }
    void Save() override {}

private:
    std::string path_;
};

// The port is opened only when the program is to be written; the write's file dialog is
// answered with the HEX file the compile produced.
class CliProgramWriter : public compiler::ProgramWriter {
public:
    explicit CliProgramWriter(CliSession& session)
        : session_(session), device_(session.Link(), session.Flash()) {}
    device::DeviceMode Mode() override {
        return session_.Connect() ? device_.Mode() : device::DeviceMode::NotQueried;
    }
    bool WriteProgram(const std::string& hexPath) override {
        session_.Files().Offer(hexPath);
        return device_.WriteProgram(hexPath);
    }

private:
    CliSession& session_;
    compiler::DeviceProgramWriter device_;
};

int Finish(CliSession& session, const compiler::CompileResult& result, bool flash) {
    switch (result.outcome) {
        case CompileOutcome::Compiled:
        case CompileOutcome::Written:
            std::fprintf(session.Out(), "Plik programu: %s\n", host::Cp1250ToUtf8(result.hexPath).c_str());
            if (flash && session.Options().verify)
                std::fprintf(session.Out(), "Weryfikacja: zawartość pamięci zgodna z plikiem.\n");
            return CliCommand::kOk;
        case CompileOutcome::NotStarted:
            session.Error("skrypt jest pusty");
            return CliCommand::kFailed;
        default:
            return CliCommand::kFailed;  // a box or the report said why
    }
}

int RunCompile(CliSession& session, const std::vector<std::string>& arguments) {
    std::string scriptArgument;
    bool flash = false;
    for (const std::string& a : arguments) {
        if (a == "--flash") flash = true;
        else if (scriptArgument.empty()) scriptArgument = a;
        else return session.Error("nadmiarowy argument " + a), CliCommand::kUsage;
    }
    if (scriptArgument.empty()) return session.Error("brak pliku skryptu"), CliCommand::kUsage;

    std::string text;
    if (!platform::AtomicFile::Read(scriptArgument, text)) {
        session.Error("nie można odczytać skryptu " + scriptArgument);
        return CliCommand::kFailed;
    }
    commands::CommandTable commands;
    if (!session.LoadCommands(commands)) return CliCommand::kFailed;

    platform::TextEditorAccess editor(std::move(text));
    script::StatementReader reader(editor);
    script::LabelTable labels;
    script::VariableTable variables;
    FileDocument document(host::Utf8ToCp1250(scriptArgument));
    std::ostringstream report;
    platform::PosixProcessRunner runner(report);
    CliProgramWriter writer(session);
    compiler::CompileDriver driver({editor, document, session.Settings(), session.Prompts(),
                                    session.Files(), runner, session.Folders().programFolder,
                                    flash ? &writer : nullptr},
                                   {reader, labels, variables, commands});
    const compiler::CompileResult result = driver.CompileScript();
    std::fputs(report.str().c_str(), session.Out());
    return Finish(session, result, flash);
}

const CliCommand::Registrar kCompile{{"compile", "compile SKRYPT.orv [--flash] [--verify]",
                                      "kompiluje skrypt (avra); z --flash zapisuje program do sterownika",
                                      1, 2, &RunCompile}};

}  // namespace

}  // namespace orvane::cli
