// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/CompileDriver.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/compiler/AsmFrame.h"
#include "core/compiler/AssemblerReport.h"
#include "core/compiler/BuildScript.h"
#include "core/compiler/EditorLock.h"
#include "core/compiler/ReservedNames.h"
#include "core/compiler/StatementTranslator.h"
#include "core/compiler/SymbolCollector.h"
#include "core/host/Cp1250.h"
#include "core/platform/AtomicFile.h"
#include "core/script/MessageQuote.h"

namespace orvane::compiler {

namespace {

using host::Pl;

constexpr const char* kAsmFilter = "Piki assemblera ASM (*.asm)|*.asm|Wszystkie pliki (*.*)|*.*|";

FileTargets::Question AsmQuestion(const char* captionUtf8, const char* beforeUtf8,
                                  const char* afterUtf8) {
    return {Pl(captionUtf8), Pl(beforeUtf8), Pl(afterUtf8), {kAsmFilter, "*.asm", {}}};
}

const FileTargets::Question& AssemblerFileQuestion() {
    static const auto q =
        AsmQuestion("Błąd pliku (OWK1)", "Błąd pliku ASM: ", "\n\nWybierz inny plik ASM.");
    return q;
}
const FileTargets::Question& MemoryFileQuestion() {
    static const auto q =
        AsmQuestion("Brak pliku (OWK2)", "Błąd pliku Pamięci: ", "\n\nWybierz inny plik Pamięci.");
    return q;
}
const FileTargets::Question& ConfigurationQuestion() {
    static const auto q = AsmQuestion("Błąd pliku (OWK1)", "Błąd pliku konfiguracji: ",
                                      "\n\nWybierz inny plik Konfiguracji.");
    return q;
}
const FileTargets::Question& MemoryDefinitionsQuestion() {
    static const auto q = AsmQuestion("Błąd pliku (OWK1)", "Błąd pliku pamięci: ",
                                      "\n\nWybierz inny plik Pamięci.");
    return q;
}
// The build script is a shell script here; its box keeps the system's words.
const FileTargets::Question& ScriptQuestion() {
    static const FileTargets::Question q{
        Pl("Błąd pliku (OWK1)"), Pl("Błąd pliku BAT: "), Pl("\n\nWybierz inny plik BAT."),
        {"Piki komend SH (*.sh)|*.sh|Wszystkie pliki (*.*)|*.*|", "*.sh", {}}};
    return q;
}

std::string Os(const std::string& path) { return host::Cp1250ToUtf8(path); }

// A relative document path would make the build script's "cd" depend on where we run.
std::string Absolute(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(Os(path), error);
    return error ? path : host::Utf8ToCp1250(absolute.lexically_normal().string());
}

bool Clashes(const std::string& path, std::initializer_list<const std::string*> others) {
    for (const std::string* other : others)
        if (!other->empty() && BuildPaths::SameFile(path, *other)) return true;
    return false;
}

// A controller that answered a mode query can be taken into its boot loader.
bool WritableMode(device::DeviceMode mode) {
    return mode != device::DeviceMode::NotQueried && mode != device::DeviceMode::Unknown;
}

}  // namespace

struct CompileDriver::Build {
    std::string document;
    std::string folder;  // with its trailing "/"
    std::string base;
    std::string asmPath;
    std::string memoryPath;
    std::string configPath;
    std::string memdefsPath;
    std::string scriptPath;
    std::string reportPath;
    BuildPaths::Outputs outputs;
    std::string memoryText;
    std::string program;  // the translated statements
    AsmSourceMap::Lines programLines;
    bool faulty = false;
    bool exits = false;  // an Exit was translated
    std::optional<TranslationStop> stop;
    std::vector<EngineWarning> warnings;
};

CompileDriver::CompileDriver(CompileHost host, ScriptTables tables)
    : host_(std::move(host)),
      tables_(tables),
      settings_(host_.settings, host_.programFolder),
      targets_(host_.prompts, host_.files) {}

void CompileDriver::Tell(const char* captionUtf8, const std::string& text) {
    host_.prompts.Tell(Pl(captionUtf8), text, host::Icon::Error);
}

CompileResult CompileDriver::CompileScript() {
    CompileResult result;
    if (host_.runExists && host_.runExists()) return result;

    std::string document = host_.document.PathName();
    while (document.empty()) {
        if (!host_.prompts.AskYesNo(
                Pl("Błąd kompilacji"),
                Pl("Dokument nie został zapisany do pliku!\n\nPrzed kompilacją należy zapisać "
                   "dokument!\n\nCzy zapisać dokument?")))
            return result;
        host_.document.Save();
        document = host_.document.PathName();
    }

    Build build;
    build.document = Absolute(document);
    build.folder = BuildPaths::FolderOf(build.document);
    build.base = BuildPaths::BaseOf(build.document);
    build.reportPath = build.folder + BuildScript::kReportName;
    tables_.labels.Clear();
    tables_.variables.Clear();
    if (host_.editor.Length() == 0) return result;

    EditorLock lock(host_.editor);
    CollectLabelsAndVariables();

    result.outcome = CompileOutcome::Abandoned;
    // Files the user cannot write leave nothing to assemble: an old assembler file must not be
    // taken for this script's program.
    if (!ChooseSources(build) || !ChooseIncludes(build)) return result;
    if (auto clash = ReservedNameClash(build)) {
        result.stop = std::move(clash);
        return result;
    }
    Translate(build);
    result.stop = build.stop;
    result.warnings = build.warnings;
    const bool reportWarnings = !build.warnings.empty() && host_.warned && host_.warned(build.warnings);
    if (!WriteSources(build) || !WriteScript(build)) return result;

    result.hexPath = build.outputs.hex;
    const auto report = Assemble(build);
    if (!report) {
        result.outcome = CompileOutcome::AssemblerFailed;
        return result;
    }
    if (!AssemblerReport::Succeeded(*report)) {
        host_.processes.ShowReport(build.reportPath);
        result.outcome = CompileOutcome::AssemblyErrors;
        return result;
    }
    if (reportWarnings) host_.processes.ShowReport(build.reportPath);
    lock.Release();
    result.outcome = Deliver(build);
    return result;
}

void CompileDriver::CollectLabelsAndVariables() {
    SymbolCollector(tables_.reader, tables_.labels, tables_.variables, host_.prompts)
        .CollectLabelsAndVariables();
}

// The assembler and memory files beside the script. Neither may overwrite the script itself or
// the include files the settings name.
bool CompileDriver::ChooseSources(Build& build) {
    build.configPath = settings_.ConfigurationFile();
    build.memdefsPath = settings_.MemoryDefinitionsFile();
    build.memoryPath = build.folder + "Pamiec.asm";

    auto asmPath = targets_.Writable(build.folder + build.base + ".asm", AssemblerFileQuestion(),
                                     [&](const std::string& p) { return Refused(build, p, build.memoryPath); });
    if (!asmPath) return false;
    build.asmPath = *asmPath;
    auto memoryPath = targets_.Writable(build.memoryPath, MemoryFileQuestion(),
                                        [&](const std::string& p) { return Refused(build, p, build.asmPath); });
    if (!memoryPath) return false;
    build.memoryPath = *memoryPath;
    return true;
}

bool CompileDriver::Refused(const Build& build, const std::string& path,
                            const std::string& other) const {
    return Clashes(path, {&build.document, &build.configPath, &build.memdefsPath,
                          &build.reportPath, &other});
}

// The configuration and memory definitions files are only checked; the generated memory file
// includes them.
bool CompileDriver::ChooseIncludes(Build& build) {
    const auto config = targets_.Readable(build.configPath, ConfigurationQuestion());
    if (!config) return false;
    build.configPath = *config;
    settings_.StoreConfigurationFile(build.configPath);

    const auto memdefs = targets_.Readable(build.memdefsPath, MemoryDefinitionsQuestion());
    if (!memdefs) return false;
    build.memdefsPath = *memdefs;
    settings_.StoreMemoryDefinitionsFile(build.memdefsPath);
    return true;
}

// A variable named like a symbol of the generated program or its include files is refused before
// anything is written: the assembler would stop on it, or take it for the register it names.
std::optional<TranslationStop> CompileDriver::ReservedNameClash(const Build& build) {
    ReservedNames reserved;
    const std::string includeFolder = Os(settings_.AppnotesFolder());
    reserved.AddDefinitionsOf(Os(build.configPath), includeFolder);
    reserved.AddDefinitionsOf(Os(build.memdefsPath), includeFolder);
    const auto clash = reserved.FirstClash(tables_.reader, host_.editor);
    if (!clash) return std::nullopt;
    TranslationStop stop{clash->line, clash->span, script::MessageQuote::Of(clash->statement),
                         Pl("Nazwy \"") + clash->name + Pl("\" używa program skompilowany.")};
    Tell("Błąd tłumaczenia (TASM2)",
         Pl("Nazwa zastrzeżona w wierszu ") + std::to_string(stop.line) + ":\n\"" + stop.statement + "\"\n\n" +
             stop.reason + Pl("\nZmienna musi nazywać się inaczej.\n\nProgram nie zostanie skompilowany."));
    return stop;
}

void CompileDriver::Translate(Build& build) {
    build.memoryText = AsmFrame::Include(Os(build.configPath)) +
                       AsmFrame::Include(Os(build.memdefsPath)) +
                       AsmFrame::Reservations(tables_.variables);
    script::StatementReader& reader = tables_.reader;
    reader.StartAt(0);
    TranslationContext context(reader, host_.editor, tables_.variables, tables_.labels,
                               tables_.commands, host_.prompts);
    StatementTranslator translator(context);
    while (translator.TranslateStatement(-1)) {
    }
    build.program = context.Assembler();
    build.programLines = context.LineStatements();
    build.memoryText += context.Memory();
    build.exits = context.Exits();
    if (build.exits) build.memoryText += AsmFrame::ExitReservation();
    build.faulty = context.Faulty();
    build.stop = context.StopInfo();
    build.warnings = context.Warnings();
}

// The memory file first: the assembler file names it in its first line.
bool CompileDriver::WriteSources(Build& build) {
    if (!WriteFile(build.memoryPath, build.memoryText, MemoryFileQuestion(),
                   [&](const std::string& p) { return Refused(build, p, build.asmPath); }))
        return false;
    const std::string frame = AsmFrame::Header(Os(build.memoryPath), build.exits) +
                              AsmFrame::EntryTable(tables_.labels, build.exits);
    const std::string assembler = frame + build.program + AsmFrame::Trailer(build.exits);
    if (!WriteFile(build.asmPath, assembler, AssemblerFileQuestion(),
                   [&](const std::string& p) { return Refused(build, p, build.memoryPath); }))
        return false;
    if (host_.sourceMap != nullptr) {
        const auto frameLines = std::count(frame.begin(), frame.end(), '\n');
        host_.sourceMap->Reset(build.asmPath, static_cast<int>(frameLines), build.programLines);
    }
    return true;
}

// The script and the four files the assembler writes beside it must leave every other file of
// the compile alone.
bool CompileDriver::WriteScript(Build& build) {
    const auto refused = [&](const std::string& p) {
        if (Refused(build, p, build.asmPath) || Clashes(p, {&build.memoryPath})) return true;
        const auto out = BuildPaths::OutputsOf(p);
        for (const std::string* o : {&out.hex, &out.object, &out.eeprom, &out.map})
            if (Refused(build, *o, build.asmPath) || Clashes(*o, {&build.memoryPath}))
                return true;
        return false;
    };
    auto script = targets_.Writable(build.folder + build.base + ".sh", ScriptQuestion(), refused);
    if (!script) return false;
    build.scriptPath = *script;
    build.outputs = BuildPaths::OutputsOf(build.scriptPath);
    const BuildScript::Inputs inputs{Os(build.folder),
                                     Os(settings_.Assembler()),
                                     Os(settings_.AppnotesFolder()),
                                     Os(build.asmPath),
                                     {Os(build.outputs.hex), Os(build.outputs.object),
                                      Os(build.outputs.eeprom), Os(build.outputs.map)}};
    return WriteFile(build.scriptPath, BuildScript::Text(inputs), ScriptQuestion(), refused);
}

// Whole or not at all; a write that fails after the checks asks like a file that cannot be
// opened, and may go to another file.
bool CompileDriver::WriteFile(std::string& path, const std::string& content,
                              const FileTargets::Question& question,
                              const FileTargets::Refused& refused) {
    for (;;) {
        if (!refused(path) && platform::AtomicFile::Write(Os(path), content)) return true;
        auto chosen = targets_.AskAgain(path, question, true);
        if (!chosen) return false;
        path = std::move(*chosen);
    }
}

// Runs the build script; the report's text, or none when the assembler could not be run.
// An old report is removed first so that it cannot pass for this build's.
std::optional<std::string> CompileDriver::Assemble(Build& build) {
    std::error_code ignored;
    std::filesystem::remove(Os(build.reportPath), ignored);
    if (host_.processes.Run({"/bin/sh", build.scriptPath}) < 0) {
        Tell("Błąd kompilacji",
             Pl("Nie można uruchomić skryptu kompilacji: ") + build.scriptPath);
        return std::nullopt;
    }
    std::string report;
    if (!platform::AtomicFile::Read(Os(build.reportPath), report)) {
        Tell("Błąd kompilacji", Pl("Brak raportu kompilatora: ") + build.reportPath);
        return std::nullopt;
    }
    return report;
}

CompileOutcome CompileDriver::Deliver(const Build& build) {
    const std::string& hex = build.outputs.hex;
    if (build.faulty) {
        Tell("Błąd kompilacji",
             Pl("Program został skompilowany z błędami!\nPlik programu:\n   ") + hex +
                 Pl("\n\nProgram nie zostanie zapisany do urządzenia!"));
        return CompileOutcome::TranslationErrors;
    }
    settings_.StoreHexFile(hex);
    if (host_.programWriter == nullptr) return CompileOutcome::Compiled;
    if (WritableMode(host_.programWriter->Mode()))
        return host_.programWriter->WriteProgram(hex) ? CompileOutcome::Written
                                                      : CompileOutcome::WriteFailed;
    Tell("Błąd urządzenia!", Pl("Program został skompilowany z powodzeniem!\nPlik programu:\n   ") +
                                 hex + Pl("\n\nNie można zapisać programu!"));
    return CompileOutcome::DeviceUnavailable;
}

}  // namespace orvane::compiler
