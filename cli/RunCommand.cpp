// SPDX-License-Identifier: GPL-3.0-or-later
// run: the "&Wykonaj" run commands on a terminal (Uruchom, or Krok with --step).
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/RunEventLoop.h"
#include "core/commands/CommandTable.h"
#include "core/host/Cp1250.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/TextEditorAccess.h"
#include "core/script/Interpreter.h"
#include "core/script/RunRules.h"
#include "core/script/VariableLines.h"

namespace orvane::cli {

namespace {

struct RunArguments {
    std::string script;
    bool step = false;
    bool trace = false;
};

bool ParseArguments(CliSession& session, const std::vector<std::string>& arguments, RunArguments& run) {
    for (const std::string& a : arguments) {
        if (a == "--step") run.step = true;
        else if (a == "--trace") run.trace = true;
        else if (run.script.empty() && !a.starts_with("--")) run.script = a;
        else return session.Error("nieznany albo nadmiarowy argument " + a), false;
    }
    if (run.script.empty()) return session.Error("brak pliku skryptu"), false;
    return true;
}

// "LINE: text" of a statement as it stands in the editor, blanks and line breaks run together.
std::string Shown(const platform::TextEditorAccess& editor, std::int32_t start, std::int32_t end) {
    std::string text;
    for (std::int32_t pos = start; pos < end && pos < editor.Length(); ++pos) {
        const char c = static_cast<char>(editor.ByteAt(pos));
        const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        if (!blank) text.push_back(c);
        else if (!text.empty() && text.back() != ' ') text.push_back(' ');
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return std::to_string(editor.LineFromPosition(start) + 1) + ": " + host::Cp1250ToUtf8(text);
}

// The statement a halted run waits with, before Enter carries it out.
void PromptStep(CliSession& session, const platform::TextEditorAccess& editor) {
    std::int32_t start = 0, end = 0;
    editor.GetSelection(start, end);
    if (start >= editor.Length()) std::fprintf(session.Out(), "> (koniec skryptu)\n");
    else std::fprintf(session.Out(), "> %s\n", Shown(editor, start, end).c_str());
    std::fflush(session.Out());
}

// Drives the run until the editor is given back: timers, Enter in step mode, Ctrl+C.
bool Drive(CliSession& session, script::Interpreter& interpreter, RunEventLoop& loop,
           const platform::TextEditorAccess& editor) {
    bool interrupted = false;
    bool inputOpen = true;
    const auto fire = [&](int id) {
        if (!interpreter.OnTimer(id)) session.Link().OnTimer(id);
    };
    std::string line;
    while (interpreter.RunExists()) {
        const bool halted = interpreter.StepMode() &&
                            !loop.Timers().IsRunning(script::Interpreter::kTimerRunTick);
        if (halted && inputOpen) PromptStep(session, editor);
        switch (loop.Wait(halted && inputOpen, fire, line)) {
            case RunEventLoop::Event::Timers: break;
            case RunEventLoop::Event::Line: interpreter.Step(); break;
            case RunEventLoop::Event::EndOfInput:
                inputOpen = false;
                interpreter.Stop();
                break;
            case RunEventLoop::Event::Interrupt:
                interrupted = true;
                session.Error("przerwano (Ctrl+C): program zatrzymany");
                interpreter.Stop();
                break;
        }
    }
    return !interrupted;
}

int RunRun(CliSession& session, const std::vector<std::string>& arguments) {
    RunArguments run;
    if (!ParseArguments(session, arguments, run)) return CliCommand::kUsage;
    std::string text;
    if (!platform::AtomicFile::Read(run.script, text)) {
        session.Error("nie można odczytać skryptu " + run.script);
        return CliCommand::kFailed;
    }
    if (text.empty()) {
        session.Error("skrypt jest pusty");
        return CliCommand::kFailed;
    }
    RunEventLoop loop(session.In());
    if (!session.Connect()) return CliCommand::kFailed;
    // read, write and identify leave the controller in the boot loader; the run takes it out
    // through System, from where its start goes on into Komendy as from any other mode.
    if (session.Link().IsMode(device::DeviceMode::BootLoader)) session.Link().SwitchToSystem();
    const device::DeviceMode mode = session.Link().Mode();
    const bool allowed = run.step ? script::RunRules::CanStep(true, mode)
                                  : script::RunRules::CanStart(true, mode, script::RunCommand::Stop);
    if (!session.Allowed(allowed, "run")) return CliCommand::kFailed;

    commands::CommandTable commands;
    if (!session.LoadCommands(commands)) return CliCommand::kFailed;
    platform::TextEditorAccess editor(std::move(text));
    script::Interpreter interpreter(editor, session.Link(), commands, loop.Timers());
    if (run.trace) {
        interpreter.SetStatementObserver([&](std::int32_t start, std::int32_t end) {
            std::fprintf(session.Out(), "%s\n", Shown(editor, start, end).c_str());
            std::fflush(session.Out());  // in step with the boxes on standard error
        });
    }
    const int boxesBefore = session.Prompts().Shown();
    if (run.step) interpreter.Step();
    else interpreter.Start();
    const bool finished = Drive(session, interpreter, loop, editor);

    for (const std::string& line : script::VariableLines::Of(interpreter.State().variables)) {
        std::fprintf(session.Out(), "%s\n", host::Cp1250ToUtf8(line).c_str());
    }
    // Every box of a run reports a failure, even one the user chose to pass over.
    return finished && session.Prompts().Shown() == boxesBefore ? CliCommand::kOk : CliCommand::kFailed;
}

const CliCommand::Registrar kRun{{"run", "run SKRYPT.orv [--step] [--trace]",
                                  "wykonuje skrypt na PC, sterownik w trybie Komendy; --step: Enter "
                                  "wykonuje jedną instrukcję (Krok); --trace: wypisuje instrukcje; "
                                  "Ctrl+C zatrzymuje; na końcu wypisuje zmienne",
                                  1, 3, &RunRun}};

}  // namespace

}  // namespace orvane::cli
