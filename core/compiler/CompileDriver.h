// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/commands/CommandTable.h"
#include "core/compiler/AsmSourceMap.h"
#include "core/compiler/BuildPaths.h"
#include "core/compiler/CompileSettings.h"
#include "core/compiler/EngineWarnings.h"
#include "core/compiler/FileTargets.h"
#include "core/compiler/ProgramWriter.h"
#include "core/compiler/ScriptDocument.h"
#include "core/compiler/TranslationContext.h"
#include "core/host/EditorAccess.h"
#include "core/host/FileChooser.h"
#include "core/host/ProcessRunner.h"
#include "core/host/Prompts.h"
#include "core/host/SettingsStore.h"
#include "core/script/LabelTable.h"
#include "core/script/StatementReader.h"
#include "core/script/VariableTable.h"

namespace orvane::compiler {

enum class CompileOutcome {
    NotStarted,         // a run holds the editor, the script was never saved, or it is empty
    Abandoned,          // a file could not be used (the user was asked); nothing was assembled
    AssemblerFailed,    // the build script could not run or left no report (the user was told)
    AssemblyErrors,     // the report lacks the success line; it was shown
    TranslationErrors,  // assembled, but the translation reported faults: nothing is written
    Compiled,           // assembled; no program writer was given
    DeviceUnavailable,  // assembled; the controller's mode does not allow the write (told)
    Written,            // assembled and written into the controller
    WriteFailed,        // assembled; the program write failed (it said why)
};

struct CompileResult {
    CompileOutcome outcome = CompileOutcome::NotStarted;
    std::string hexPath;  // CP1250; set once the assembler has run
    std::optional<TranslationStop> stop;
    std::vector<EngineWarning> warnings;  // where the run on the PC would give another result
};

// What the compile needs from its host.
struct CompileHost {
    host::EditorAccess& editor;
    ScriptDocument& document;
    host::SettingsStore& settings;
    host::Prompts& prompts;
    host::FileChooser& files;
    host::ProcessRunner& processes;
    std::string programFolder;  // the shipped Konfig.asm and Pamiec.asm, with a trailing "/"
    ProgramWriter* programWriter = nullptr;  // null: compile without writing
    // Filled once the assembler file is written, before the assembler runs, so the report can
    // lead from its lines back to the script; null: not wanted.
    AsmSourceMap* sourceMap = nullptr;
    // Whether a run from the PC holds the script, which then is not compiled; empty: no run can.
    std::function<bool()> runExists = {};
    // Hears the statements whose result depends on the engine, once the translation found any,
    // before anything is assembled. True: the assembler's report is shown after a successful
    // assembly too, so they are read there before the program is written. Empty: not told.
    std::function<bool(const std::vector<EngineWarning>&)> warned = {};
};

// The tables and the statement position the compile shares with the interpreter.
struct ScriptTables {
    script::StatementReader& reader;  // reads the editor's text
    script::LabelTable& labels;
    script::VariableTable& variables;
    const commands::CommandTable& commands;
};

// The Kompiluj command: translates the script into the assembler and memory files beside it,
// assembles them with a generated shell script, judges the report and, on success, stores the
// HEX path as "Plik" and hands it to the program write. Every question and message goes
// through the host; files are written whole or not at all.
class CompileDriver {
public:
    CompileDriver(CompileHost host, ScriptTables tables);

    CompileResult CompileScript();
    void CollectLabelsAndVariables();

private:
    struct Build;

    bool ChooseSources(Build& build);
    bool ChooseIncludes(Build& build);
    std::optional<TranslationStop> ReservedNameClash(const Build& build);
    void Translate(Build& build);
    bool WriteSources(Build& build);
    bool WriteScript(Build& build);
    bool WriteFile(std::string& path, const std::string& content,
                   const FileTargets::Question& question, const FileTargets::Refused& refused);
    std::optional<std::string> Assemble(Build& build);
    CompileOutcome Deliver(const Build& build);
    bool Refused(const Build& build, const std::string& path, const std::string& self) const;
    void Tell(const char* captionUtf8, const std::string& text);

    CompileHost host_;
    ScriptTables tables_;
    CompileSettings settings_;
    FileTargets targets_;
};

}  // namespace orvane::compiler
