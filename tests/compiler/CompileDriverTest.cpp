// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "core/compiler/CompileDriver.h"
#include "core/host/MemorySettings.h"
#include "tests/compiler/CompileFakes.h"
#include "tests/compiler/TranslationHarness.h"
#include "tests/support/RowName.h"
#include "tests/support/ScriptedFileChooser.h"

namespace orvane::test {
namespace {

using compiler::CompileOutcome;
namespace fs = std::filesystem;

const std::string kData = std::string(ORVANE_DATA_DIR) + "/";

// The compile with fakes around it; the document is test.orv in a private folder.
struct Rig {
    compiler::CompileResult Compile() {
        compiler::CompileDriver driver({editor, document, settings, prompts, files, runner, kData,
                                        withWriter ? &writer : nullptr, nullptr, [this] { return running; },
                                        [this](const std::vector<compiler::EngineWarning>& w) {
                                            heard.push_back(w.size());
                                            return true;
                                        }},
                                       {reader, labels, variables, commands});
        return driver.CompileScript();
    }
    std::vector<std::string> AsmLines(const std::string& name = "test.asm") { return SplitLines(ReadWhole(dir / name)); }

    TempDir dir;
    platform::TextEditorAccess editor{"Var: x; x=1;"};
    script::StatementReader reader{editor};
    script::LabelTable labels;
    script::VariableTable variables;
    commands::CommandTable commands = SampleCommands();
    FakeDocument document{dir / "test.orv"};
    host::MemorySettings settings;
    ScriptedPrompts prompts;
    ScriptedFileChooser files;
    FakeRunner runner;
    FakeWriter writer;
    bool withWriter = true;
    bool running = false;
    std::vector<std::size_t> heard;  // how many warnings each call told
};

// Each line of the generated program leads back to the statement it came from; the end of a
// loop to the loop, not to its body; the frame to none. (The window's tests follow a report line
// and a translation stop back into the editor.)
TEST(CompileDriver, AssemblerLinesLeadBackToTheirStatements) {
    Rig r;
    const std::string script = "Var: x;\nwhile (x < 3) {\n  x = x + 1;\n}\nasm:\nnop;\n";
    r.editor.SetText(script);
    compiler::AsmSourceMap map;
    compiler::CompileDriver driver({r.editor, r.document, r.settings, r.prompts, r.files, r.runner, kData,
                                    nullptr, &map},
                                   {r.reader, r.labels, r.variables, r.commands});
    ASSERT_EQ(driver.CompileScript().outcome, CompileOutcome::Compiled);
    EXPECT_EQ(map.AsmPath(), r.dir / "test.asm");
    const auto lines = r.AsmLines();
    const auto statementOf = [&](const std::string& asmLine) -> std::string {
        const auto at = std::find(lines.begin(), lines.end(), asmLine);
        if (at == lines.end()) return "<no such line>";
        const auto span = map.StatementOfLine(static_cast<int>(at - lines.begin()) + 1);
        if (!span) return "<none>";
        return script.substr(static_cast<std::size_t>(span->start), static_cast<std::size_t>(span->end - span->start));
    };
    EXPECT_EQ(statementOf(".ORG 0x0380"), "<none>");
    EXPECT_EQ(statementOf("ORVwhileLoop0:").substr(0, 6), "while ");
    EXPECT_EQ(statementOf("std Z+1,tmp1"), "x = x + 1;");
    EXPECT_EQ(statementOf("ORVwhileLoop0Koniec:").substr(0, 6), "while ");
    EXPECT_EQ(statementOf("nop"), "nop;");  // the user's own line
    EXPECT_FALSE(map.StatementOfLine(static_cast<int>(lines.size()) + 1));
}

TEST(CompileDriver, EntryTableFollowsTheLabels) {
    struct Row { const char* script; std::vector<std::string> entries; };  // the lines after "rjmp ORVANExlMain"
    for (const Row& row : {Row{"INT0: RetINT();", {"rjmp ORVANExlINT0", "ret", "ORVANExlMain:"}},
                           Row{"INT1: RetINT();", {"ret", "rjmp ORVANExlINT1", "ORVANExlMain:"}},
                           Row{"Return(); Main: Return();", {"ret", "ret", "ret", "ORVANExlMain:"}},
                           Row{"main: Return();", {"ret", "ret", "ORVANExlMain:", "ORVANExlmain:"}}}) {
        Rig r;
        r.editor.SetText(row.script);
        r.Compile();
        const auto lines = r.AsmLines();
        const auto start = std::find(lines.begin(), lines.end(), "rjmp ORVANExlMain");
        ASSERT_NE(start, lines.end());
        EXPECT_EQ(std::vector<std::string>(start + 1, start + 1 + row.entries.size()), row.entries) << row.script;
    }
}

// The assembler and its include folder come from the settings, quoted; the include files used
// are stored. (A real build with the defaults and awkward names runs in the avra tests.)
TEST(CompileDriver, BuildScriptRunsTheConfiguredAssemblerInTheScriptsFolder) {
    Rig r;
    r.settings.WriteString("Kompilator", "/opt/avr tools/avra");
    r.settings.WriteString("Katalog Appnotes", "/opt/inc/");
    r.Compile();
    const std::string d = r.dir / "", script = ReadWhole(d + "test.sh");
    EXPECT_EQ(script.substr(0, script.find(" -o ")), "#!/bin/sh\ncd '" + d + "' || exit 1\nrm -f '" + d +
                                                         "test.map' '" + d + "test.lst'\n'/opt/avr tools/avra' -fI");
    EXPECT_NE(script.find(" -I '" + r.dir.Path() + "' -I '/opt/inc/' -w -m '" + d + "test.map' '" + d + "test.asm' > Wynik.txt 2>&1\n"), std::string::npos) << script;
    EXPECT_EQ(r.runner.runs, (std::vector<std::vector<std::string>>{{"/bin/sh", d + "test.sh"}}));
    EXPECT_EQ(r.settings.ReadString("Plik konfiguracji", ""), kData + "Konfig.asm");
    EXPECT_EQ(r.settings.ReadString(host::Pl("Plik pamięci"), ""), kData + "Pamiec.asm");
}

// The build script clears this program's own map and listing, and no other file of the folder.
TEST(CompileDriver, BuildScriptRemovesOnlyItsOwnMapAndListing) {
    Rig r;
    r.settings.WriteString("Kompilator", "/bin/true");
    const std::string d = r.dir / "";
    const std::vector<std::string> own{"test.map", "test.lst"}, users{"mydesign.map", "notes.lst", "test.asm.map"};
    for (const auto& name : own) std::ofstream(d + name) << "old";
    for (const auto& name : users) std::ofstream(d + name) << "mine";
    r.Compile();
    ASSERT_EQ(std::system(("/bin/sh '" + d + "test.sh'").c_str()), 0);
    for (const auto& name : own) EXPECT_FALSE(fs::exists(d + name)) << name;
    for (const auto& name : users) EXPECT_EQ(ReadWhole(d + name), "mine") << name;
}

struct OutcomeRow {
    const char* name;
    std::function<void(Rig&)> setup;
    CompileOutcome outcome;
    std::vector<std::string> boxes;  // how each box begins: "caption | text", "@" for the folder with its "/"
    std::function<void(Rig&)> check = [](Rig&) {};
};

class Outcomes : public ::testing::TestWithParam<OutcomeRow> {};

// Whatever happens, the editor is as it was (enabled state and selection), only an error-free compile stores the HEX, only a
// usable device mode gets the program written, and nothing is assembled from unusable files.
TEST_P(Outcomes, BoxesFilesAndTheController) {
    const OutcomeRow& row = GetParam();
    Rig r;
    row.setup(r);
    r.editor.SetSelection(2, 5);
    const bool enabled = r.editor.IsEnabled();
    std::int32_t start = 0, end = 0, startAfter = 0, endAfter = 0;
    r.editor.GetSelection(start, end);
    const auto result = r.Compile();
    EXPECT_EQ(result.outcome, row.outcome);
    std::vector<std::string> boxes;
    for (std::string box : row.boxes) {
        for (std::size_t at; (at = box.find('@')) != std::string::npos;) box.replace(at, 1, r.dir / "");
        boxes.push_back(box);
    }
    std::vector<std::string> shown = r.prompts.Shown();
    for (std::size_t i = 0; i < shown.size() && i < boxes.size(); ++i) shown[i].resize(std::min(shown[i].size(), boxes[i].size()));
    EXPECT_EQ(shown, boxes);
    EXPECT_EQ(r.editor.IsEnabled(), enabled);
    r.editor.GetSelection(startAfter, endAfter);
    EXPECT_EQ(std::make_pair(startAfter, endAfter), std::make_pair(start, end));
    EXPECT_EQ(r.settings.ReadString("Plik", "none"), row.outcome >= CompileOutcome::Compiled ? result.hexPath : "none");
    const bool written = row.outcome == CompileOutcome::Written || row.outcome == CompileOutcome::WriteFailed;
    EXPECT_EQ(r.writer.written, written ? std::vector<std::string>{result.hexPath} : std::vector<std::string>{});
    EXPECT_EQ(r.runner.runs.empty(), row.outcome <= CompileOutcome::Abandoned);
    EXPECT_TRUE(row.outcome != CompileOutcome::NotStarted || fs::is_empty(r.dir.Path()));
    row.check(r);
}

const char* kUnsaved = "Błąd kompilacji | Dokument nie";
const char* kAsmBox = "Błąd pliku (OWK1) | Błąd pliku ASM: @test.asm\n\nWybierz inny plik ASM.";
const char* kBatBox = "Błąd pliku (OWK1) | Błąd pliku BAT: @test.sh\n";
const char* kUnavailable = "Błąd urządzenia! | Program został skompilowany z powodzeniem!\nPlik programu:\n   "
                           "@test.hex\n\nNie można zapisać programu!";
const char* kWithErrors = "Błąd kompilacji | Program został skompilowany z błędami";
auto Mode(device::DeviceMode mode) { return [mode](Rig& r) { r.writer.mode = mode; }; }
auto Text(const char* text) { return [text](Rig& r) { r.editor.SetText(text); }; }
auto Choose(const char* unusable, const char* choice) {  // a folder cannot be replaced by a file
    return [=](Rig& r) {
        fs::create_directory(r.dir / unusable);
        r.files.QueueChoice(choice ? std::optional(r.dir / choice) : std::nullopt);
    };
}
// The document is this file holding a script: the compile never writes over it, over the
// include files or over its own other files, and chooses another.
auto Clash(const char* document, const char* instead) {
    return [=](Rig& r) {
        platform::AtomicFile::Write(r.dir / document, "Exit();");
        r.document = FakeDocument(r.dir / document), r.editor.SetText("Exit();"), r.files.QueueChoice(r.dir / instead);
    };
}
void NothingAssembled(Rig& r) { EXPECT_FALSE(fs::exists(r.dir / "test.asm")); }
auto Untouched(const char* document, const char* instead) {
    return [=](Rig& r) { EXPECT_TRUE(ReadWhole(r.dir / document) == "Exit();" && fs::exists(r.dir / instead)); };
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Outcomes,
    ::testing::Values(
        OutcomeRow{"WrittenInModeSystem", Mode(device::DeviceMode::System), CompileOutcome::Written, {}},
        // The report of a good assembly is shown only to read the warnings before the write.
        OutcomeRow{"WarningsShowTheReportAndTheWriteGoesOn", Text("Var: x;\nx = 300 * 300;\nx = x / 0;\n"),
                   CompileOutcome::Written, {},
                   [](Rig& r) {
                       EXPECT_EQ(r.heard, std::vector<std::size_t>{2});
                       EXPECT_EQ(r.runner.shown, std::vector<std::string>{r.dir / "Wynik.txt"});
                   }},
        OutcomeRow{"WithoutWarningsNoReportAfterAGoodAssembly", Text("Var: x;\nx = 300 * 200;\nx = x / 2;\n"),
                   CompileOutcome::Written, {},
                   [](Rig& r) { EXPECT_TRUE(r.heard.empty() && r.runner.shown.empty()); }},
        OutcomeRow{"WriteFailed", [](Rig& r) { r.writer.result = false; }, CompileOutcome::WriteFailed, {}},
        OutcomeRow{"UnknownMode", Mode(device::DeviceMode::Unknown), CompileOutcome::DeviceUnavailable, {kUnavailable}},
        OutcomeRow{"WithoutAWriterTheCompileEndsAtTheHex", [](Rig& r) { r.withWriter = false; }, CompileOutcome::Compiled, {}},
        OutcomeRow{"FailedAssemblyShowsTheReport",
                   [](Rig& r) { r.runner.report = "Assembly aborted with 1 errors.\n"; }, CompileOutcome::AssemblyErrors, {},
                   [](Rig& r) { EXPECT_EQ(r.runner.shown, std::vector<std::string>{r.dir / "Wynik.txt"}); }},
        OutcomeRow{"AnOldReportIsNeverTakenForThisBuilds",
                   [](Rig& r) { platform::AtomicFile::Write(r.dir / "Wynik.txt", "Assembly complete with no errors.\n"), r.runner.writeReport = false; },
                   CompileOutcome::AssemblerFailed, {"Błąd kompilacji | Brak raportu kompilatora: @Wynik.txt"}},
        OutcomeRow{"ScriptThatCannotStart", [](Rig& r) { r.runner.exitCode = -1; }, CompileOutcome::AssemblerFailed,
                   {"Błąd kompilacji | Nie można uruchomić"}},
        OutcomeRow{"TranslationErrorsAreAssembledButNeverWritten", Text("Var: x;\nx = x + ;\n"), CompileOutcome::TranslationErrors,
                   {"BŁĄD (OASM1)", kWithErrors}},
        OutcomeRow{"StoppedTranslationStillWritesTheFiles", Text("Return();\nCall(Nowhere);\nReturn();\n"),
                   CompileOutcome::TranslationErrors,
                   {"Błąd tłumaczenia (TASM1)", kWithErrors},
                   [](Rig& r) {
                       const auto lines = r.AsmLines();
                       EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
                                 (std::vector<std::string>{"ORVANExlMain:", "ret", "ret"}));
                   }},
        // A variable the assembler would take for one of the program's own names, in any case:
        // refused before anything is written.
        OutcomeRow{"VariableNamedLikeTheProgramsLabelIsRefused", Text("Var: x, Program;\n"), CompileOutcome::Abandoned,
                   {"Błąd tłumaczenia (TASM2) | Nazwa zastrzeżona w wierszu 1:\n\"Var:x,Program;\"\n\nNazwy \"Program\""},
                   NothingAssembled},
        OutcomeRow{"VariableNamedLikeARegisterOfTheConfigurationIsRefused", Text("x = 1;\nVar: TMP1;\n"),
                   CompileOutcome::Abandoned, {"Błąd tłumaczenia (TASM2) | Nazwa zastrzeżona w wierszu 2:\n\"Var:TMP1;\"\n\nNazwy \"TMP1\""},
                   NothingAssembled},
        OutcomeRow{"VariableNamedLikeWhatTheDeviceFileDefinesIsRefused", Text("Var: sreg;"), CompileOutcome::Abandoned,
                   {"Błąd tłumaczenia (TASM2) | Nazwa zastrzeżona w wierszu 1:\n\"Var:sreg;\"\n\nNazwy \"sreg\""}, NothingAssembled},
        OutcomeRow{"VariableNamedLikeAnEntryPointIsRefused", Text("Var: waits;"), CompileOutcome::Abandoned,
                   {"Błąd tłumaczenia (TASM2) | Nazwa zastrzeżona w wierszu 1:\n\"Var:waits;\"\n\nNazwy \"waits\""}, NothingAssembled},
        OutcomeRow{"VariableNamedLikeAGeneratedLabelIsRefused", Text("Var: ORVif0Tak;"), CompileOutcome::Abandoned,
                   {"Błąd tłumaczenia (TASM2) | Nazwa zastrzeżona w wierszu 1:\n\"Var:ORVif0Tak;\"\n\nNazwy \"ORVif0Tak\""},
                   NothingAssembled},
        OutcomeRow{"NamesThatMerelyResembleThemAreAccepted", Text("Var: Programy, ORVxy, tmp, x, r5;"), CompileOutcome::Written, {}},
        // The save dialog cancelled: asked again.
        OutcomeRow{"UnsavedDocumentIsSavedFirst",
                   [](Rig& r) { r.document = FakeDocument(), r.document.saves = {"", r.dir / "saved.orv"}; },
                   CompileOutcome::Written, {kUnsaved, kUnsaved},
                   [](Rig& r) {
                       EXPECT_EQ(r.document.saveCalls, 2);
                       EXPECT_EQ(r.prompts.Boxes()[0].buttons, host::Buttons::YesNo);
                       EXPECT_TRUE(fs::exists(r.dir / "saved.asm"));
                   }},
        OutcomeRow{"UnsavedDocumentAndNoDoesNothing",
                   [](Rig& r) { r.document = FakeDocument(), r.prompts.QueueAnswer(host::Answer::No); },
                   CompileOutcome::NotStarted, {kUnsaved}, [](Rig& r) { EXPECT_EQ(r.document.saveCalls, 0); }},
        OutcomeRow{"NothingWhileARunHoldsTheEditor", [](Rig& r) { r.running = true; }, CompileOutcome::NotStarted, {}},
        OutcomeRow{"NothingForAnEmptyText", Text(""), CompileOutcome::NotStarted, {}},
        OutcomeRow{"UnwritableAssemblerFileAsksForAnother", Choose("test.asm", "other.asm"), CompileOutcome::Written, {kAsmBox},
                   [](Rig& r) {
                       ASSERT_EQ(r.files.Requests().size(), 1u);
                       const auto& request = r.files.Requests()[0].request;
                       EXPECT_EQ(request.filter, "Piki assemblera ASM (*.asm)|*.asm|Wszystkie pliki (*.*)|*.*|");
                       EXPECT_EQ(request.defaultExtension, "*.asm");
                       EXPECT_EQ(request.initialName, r.dir / "test.asm");
                       EXPECT_NE(ReadWhole(r.dir / "test.sh").find("'" + r.dir / "other.asm' > Wynik.txt"), std::string::npos);
                   }},
        // An old assembler file must not be assembled instead.
        OutcomeRow{"UnwritableMemoryFileAndNoAbandons",
                   [](Rig& r) { fs::create_directory(r.dir / "Pamiec.asm"), r.prompts.QueueAnswer(host::Answer::No); },
                   CompileOutcome::Abandoned, {"Brak pliku (OWK2) | Błąd pliku Pamięci: @Pamiec.asm\n"}},
        OutcomeRow{"MissingConfigurationAbandonsAndRestoresTheEditor",
                   [](Rig& r) { r.settings.WriteString("Plik konfiguracji", r.dir / "none.asm"); },
                   CompileOutcome::Abandoned,
                   {"Błąd pliku (OWK1) | Błąd pliku konfiguracji: @none.asm\n"},
                   [](Rig& r) {
                       EXPECT_FALSE(r.files.Requests().at(0).save);
                       EXPECT_FALSE(fs::exists(r.dir / "test.asm"));
                       EXPECT_GE(r.editor.FocusRequests(), 1);
                   }},
        OutcomeRow{"MissingMemoryDefinitionsChosenInTheDialogIsStored",
                   [](Rig& r) {
                       r.settings.WriteString(host::Pl("Plik pamięci"), r.dir / "none.asm");
                       platform::AtomicFile::Write(r.dir / "defs.asm", ".DSEG\n"), r.files.QueueChoice(r.dir / "defs.asm");
                   },
                   CompileOutcome::Written, {"Błąd pliku (OWK1) | Błąd pliku pamięci: @none.asm\n"},
                   [](Rig& r) {
                       EXPECT_EQ(r.settings.ReadString(host::Pl("Plik pamięci"), ""), r.dir / "defs.asm");
                       EXPECT_NE(ReadWhole(r.dir / "Pamiec.asm").find(".include \"" + r.dir / "defs.asm\""), std::string::npos);
                   }},
        OutcomeRow{"UnwritableBuildScriptAsksWithItsOwnDialog", Choose("test.sh", nullptr), CompileOutcome::Abandoned, {kBatBox},
                   [](Rig& r) { EXPECT_EQ(r.files.Requests().at(0).request.defaultExtension, "*.sh"); }},
        OutcomeRow{"DocumentNamedLikeTheAssemblerFile", Clash("test.asm", "a.asm"), CompileOutcome::Written, {kAsmBox},
                   Untouched("test.asm", "a.asm")},
        OutcomeRow{"DocumentNamedLikeTheMemoryFile", Clash("Pamiec.orv", "b.asm"), CompileOutcome::Written,
                   {"Błąd pliku (OWK1) | Błąd pliku ASM: @Pamiec.asm\n"}, Untouched("Pamiec.orv", "b.asm")},
        OutcomeRow{"DocumentNamedLikeTheBuildScript", Clash("test.sh", "c.sh"), CompileOutcome::Written, {kBatBox},
                   Untouched("test.sh", "c.sh")},
        OutcomeRow{"DocumentNamedLikeTheHex", Clash("test.hex", "d.sh"), CompileOutcome::Written, {kBatBox},
                   Untouched("test.hex", "d.sh")}),
    RowName<&OutcomeRow::name>{});

}  // namespace
}  // namespace orvane::test
