// SPDX-License-Identifier: GPL-3.0-or-later
// compile: the Kompiluj command on a terminal, with the program write behind --flash.
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/ScriptCompile.h"
#include "core/compiler/CompileDriver.h"
#include "core/compiler/DeviceProgramWriter.h"
#include "core/host/Cp1250.h"

namespace orvane::cli {

namespace {

using compiler::CompileOutcome;

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

    CliProgramWriter writer(session);
    compiler::CompileResult result;
    std::string report;
    if (!ScriptCompile::Run(session, scriptArgument, flash ? &writer : nullptr, result, report))
        return CliCommand::kFailed;
    std::fputs(report.c_str(), session.Out());
    return Finish(session, result, flash);
}

const CliCommand::Registrar kCompile{{"compile", "compile SKRYPT.orv [--flash] [--verify]",
                                      "kompiluje skrypt (avra); z --flash zapisuje program do sterownika",
                                      1, 2, &RunCompile}};

}  // namespace

}  // namespace orvane::cli
