#include <gtest/gtest.h>

#include <filesystem>

#include "core/compiler/CompileDriver.h"
#include "core/host/MemorySettings.h"
#include "tests/compiler/CompileFakes.h"
#include "tests/compiler/TranslationHarness.h"
#include "tests/support/ScriptedFileChooser.h"

namespace orvane::test {
namespace {

using compiler::CompileOutcome;
namespace fs = std::filesystem;

const std::string kData = std::string(ORVANE_DATA_DIR) + "/";

class CompileDriverTest : public ::testing::Test {
protected:
    CompileDriverTest() : document(dir / "test.orv") {}

    compiler::CompileResult Compile(bool withWriter = true) {
        compiler::CompileDriver driver(
            {editor, document, settings, prompts, files, runner, kData, withWriter ? &writer : nullptr},
            {reader, labels, variables, commands});
        return driver.CompileScript();
    }
    std::vector<std::string> AsmLines(const std::string& name = "test.asm") {
        return SplitLines(ReadText(dir / name));
    }
    std::string Box(std::size_t i) const { return prompts.Boxes().at(i).caption + " | " + prompts.Boxes().at(i).text; }

    TempFolder dir;
    host::TextEditorAccess editor{"Var: x; x=1;"};
    script::StatementReader reader{editor};
    script::LabelTable labels;
    script::VariableTable variables;
    commands::CommandTable commands = SampleCommands();
    FakeDocument document;
    host::MemorySettings settings;
    ScriptedPrompts prompts;
    ScriptedFileChooser files;
    FakeRunner runner;
    FakeWriter writer;
};

TEST_F(CompileDriverTest, AssemblerFileFrame) {
    editor.SetText("Var: x; x=1;");
    ASSERT_EQ(Compile().outcome, CompileOutcome::Written);
    const std::vector<std::string> expected{
        ".include \"" + dir.Path() + "Pamiec.asm\"",
        ".EQU Send2B=0x0367", ".EQU SendB=0x0368", ".EQU GRS=0x0369", ".EQU LRS=0x036a",
        ".EQU URS=0x036b", ".EQU ADIAxR=0x036d", ".EQU ADIDG=0x036e", ".EQU ADIDxG=0x036f",
        ".EQU AIxR=0x0370", ".EQU DOG=0x0371", ".EQU DOS=0x0372", ".EQU DOxG=0x0373",
        ".EQU DOxS=0x0374", ".EQU INT0G=0x0375", ".EQU INT0C=0x0376", ".EQU INT1G=0x0377",
        ".EQU INT1C=0x0378", ".EQU ServoR=0x0379", ".EQU ServoS=0x037a", ".EQU LEDS=0x037b",
        ".EQU LEDF=0x037c", ".EQU WaitS=0x037d", ".EQU Podziel=0x037e", ".EQU Pomnoz=0x037f",
        ".CSEG", ".ORG 0x0380", "Program:", "rjmp ORVANExlMain", "ret", "ret", "ORVANExlMain:",
        "ldi tmp2,0", "ldi tmp1,1", "ldi ZH,high(x)", "ldi ZL,low(x)", "st Z,tmp2", "std Z+1,tmp1",
        "ret"};
    EXPECT_EQ(AsmLines(), expected);
}

struct EntryRow {
    const char* script;
    std::vector<std::string> entries;  // the lines after "rjmp ORVANExlMain" up to the program
};

class EntryTable : public CompileDriverTest, public ::testing::WithParamInterface<EntryRow> {};

TEST_P(EntryTable, FollowsTheLabels) {
    editor.SetText(GetParam().script);
    Compile();
    const auto lines = AsmLines();
    const auto start = std::find(lines.begin(), lines.end(), "rjmp ORVANExlMain");
    ASSERT_NE(start, lines.end());
    EXPECT_EQ(std::vector<std::string>(start + 1, start + 1 + GetParam().entries.size()),
              GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, EntryTable,
    ::testing::Values(EntryRow{"Exit();", {"ret", "ret", "ORVANExlMain:", "ret"}},
                      EntryRow{"INT1: RetINT();", {"ret", "rjmp ORVANExlINT1", "ORVANExlMain:"}},
                      EntryRow{"INT0: RetINT(); INT1: RetINT();",
                               {"rjmp ORVANExlINT0", "rjmp ORVANExlINT1", "ORVANExlMain:"}},
                      EntryRow{"Exit(); Main: Exit();", {"ret", "ret", "ret", "ORVANExlMain:"}},
                      EntryRow{"main: Exit();", {"ret", "ret", "ORVANExlMain:", "ORVANExlmain:"}}));

TEST_F(CompileDriverTest, MemoryFileIncludesAndReservesNewestFirst) {
    editor.SetText("Var: x, y; Var: z;");
    Compile();
    EXPECT_EQ(ReadText(dir / "Pamiec.asm"),
              Lines({".include \"" ORVANE_DATA_DIR "/Konfig.asm\"",
                     ".include \"" ORVANE_DATA_DIR "/Pamiec.asm\"", "z: .BYTE 2", "y: .BYTE 2",
                     "x: .BYTE 2"}));
}

TEST_F(CompileDriverTest, BuildScriptRunsTheAssemblerInTheScriptsFolder) {
    settings.WriteString("Kompilator", "/opt/avr tools/avra");
    settings.WriteString("Katalog Appnotes", "/opt/inc/");
    Compile();
    const std::string d = dir.Path();
    const std::string folder = d.substr(0, d.size() - 1);
    EXPECT_EQ(ReadText(dir / "test.sh"),
              "#!/bin/sh\ncd '" + d + "' || exit 1\nrm -f ./*.map\nrm -f ./*.lst\n"
              "'/opt/avr tools/avra' -fI -o '" + d + "test.hex' -d '" + d + "test.obj' -e '" + d +
                  "test.eep' -I '" + folder + "' -I '/opt/inc/' -w -m '" + d + "test.map' '" + d +
                  "test.asm' > Wynik.txt 2>&1\n");
    ASSERT_EQ(runner.runs.size(), 1u);
    EXPECT_EQ(runner.runs[0], (std::vector<std::string>{"/bin/sh", d + "test.sh"}));
}

TEST_F(CompileDriverTest, DefaultsPointAtWhatTheProjectInstalls) {
    Compile();
    const std::string script = ReadText(dir / "test.sh");
    EXPECT_NE(script.find("'avra' -fI"), std::string::npos);
    EXPECT_NE(script.find("-I '/usr/share/avra/'"), std::string::npos);
    EXPECT_EQ(settings.ReadString("Plik konfiguracji", ""), kData + "Konfig.asm");
    EXPECT_EQ(settings.ReadString(host::Pl("Plik pamięci"), ""), kData + "Pamiec.asm");
}

TEST_F(CompileDriverTest, NamesComeFromTheDocument) {
    struct Row { const char* document; const char* base; };
    for (const Row row : {Row{"prog.v2.orv", "prog.v2"}, Row{"prog", "prog"}, Row{".orv", ".orv"}}) {
        document = FakeDocument(dir / row.document);
        const auto result = Compile();
        EXPECT_EQ(result.hexPath, dir / (std::string(row.base) + ".hex")) << row.document;
        EXPECT_TRUE(fs::exists(dir / (std::string(row.base) + ".asm"))) << row.document;
        EXPECT_TRUE(fs::exists(dir / (std::string(row.base) + ".sh"))) << row.document;
    }
}

TEST_F(CompileDriverTest, SuccessStoresTheHexAndWritesWhenTheModeAllows) {
    for (const char* mode : {"System", "Komendy", "Program", "BootLoader"}) {
        writer.mode = mode;
        writer.written.clear();
        settings.WriteString("Plik", "");
        EXPECT_EQ(Compile().outcome, CompileOutcome::Written) << mode;
        EXPECT_EQ(writer.written, (std::vector<std::string>{dir / "test.hex"})) << mode;
        EXPECT_EQ(settings.ReadString("Plik", ""), dir / "test.hex");
    }
    EXPECT_TRUE(prompts.Boxes().empty());
    EXPECT_TRUE(editor.IsEnabled());
}

TEST_F(CompileDriverTest, SuccessWithoutAUsableModeSaysSo) {
    for (const char* mode : {"Nieznany", "", "Start"}) {
        prompts.Clear();
        writer.mode = mode;
        EXPECT_EQ(Compile().outcome, CompileOutcome::DeviceUnavailable);
        ASSERT_EQ(prompts.Boxes().size(), 1u);
        EXPECT_EQ(Box(0), "Błąd urządzenia! | Program został skompilowany z powodzeniem!\nPlik programu:\n   " +
                              dir / "test.hex" + "\n\nNie można zapisać programu!");
    }
    EXPECT_TRUE(writer.written.empty());
}

TEST_F(CompileDriverTest, WithoutAWriterTheCompileEndsAtTheHex) {
    EXPECT_EQ(Compile(false).outcome, CompileOutcome::Compiled);
    EXPECT_EQ(settings.ReadString("Plik", ""), dir / "test.hex");
}

TEST_F(CompileDriverTest, FailedAssemblyShowsTheReport) {
    runner.report = "test.asm(3) : Error   : Unknown mnemonic\nAssembly aborted with 1 errors.\n";
    editor.SetSelection(2, 5);
    EXPECT_EQ(Compile().outcome, CompileOutcome::AssemblyErrors);
    EXPECT_EQ(runner.shown, (std::vector<std::string>{dir / "Wynik.txt"}));
    EXPECT_TRUE(writer.written.empty());
    EXPECT_EQ(settings.ReadString("Plik", "none"), "none");
    std::int32_t start = 0, end = 0;
    editor.GetSelection(start, end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(2, 5));
    EXPECT_TRUE(editor.IsEnabled());
}

TEST_F(CompileDriverTest, AnOldReportIsNeverTakenForThisBuilds) {
    WriteText(dir / "Wynik.txt", "Assembly complete with no errors.\n");
    runner.writeReport = false;
    EXPECT_EQ(Compile().outcome, CompileOutcome::AssemblerFailed);
    ASSERT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(Box(0), "Błąd kompilacji | Brak raportu kompilatora: " + dir / "Wynik.txt");
    EXPECT_TRUE(writer.written.empty());
}

TEST_F(CompileDriverTest, ScriptThatCannotStartIsReported) {
    runner.exitCode = -1;
    EXPECT_EQ(Compile().outcome, CompileOutcome::AssemblerFailed);
    EXPECT_EQ(Box(0), "Błąd kompilacji | Nie można uruchomić skryptu kompilacji: " + dir / "test.sh");
    EXPECT_TRUE(editor.IsEnabled());
}

TEST_F(CompileDriverTest, TranslationErrorsNeverReachTheController) {
    editor.SetText("Var: x;\nx = x + ;\n");
    const auto result = Compile();
    EXPECT_EQ(result.outcome, CompileOutcome::TranslationErrors);
    ASSERT_EQ(prompts.Boxes().size(), 2u);
    EXPECT_EQ(prompts.Boxes()[0].caption, "BŁĄD (OASM1)");
    EXPECT_EQ(Box(1), "Błąd kompilacji | Program został skompilowany z błędami!\nPlik programu:\n   " +
                          dir / "test.hex" + "\n\nProgram nie zostanie zapisany do urządzenia!");
    EXPECT_TRUE(writer.written.empty());
    EXPECT_EQ(settings.ReadString("Plik", "none"), "none");
    EXPECT_EQ(runner.runs.size(), 1u);  // assembled all the same, so the report can be read
}

TEST_F(CompileDriverTest, StoppedTranslationStillWritesTheFiles) {
    editor.SetText("Exit();\nCall(Nowhere);\nReturn();\n");
    const auto result = Compile();
    EXPECT_EQ(result.outcome, CompileOutcome::TranslationErrors);
    ASSERT_TRUE(result.stop.has_value());
    EXPECT_EQ(result.stop->line, 2);
    const auto lines = AsmLines();
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"ORVANExlMain:", "ret", "ret"}));
}

TEST_F(CompileDriverTest, UnsavedDocumentIsSavedFirst) {
    document = FakeDocument();
    document.QueueSave("");  // the save dialog cancelled: asked again
    document.QueueSave(dir / "saved.orv");
    EXPECT_EQ(Compile().outcome, CompileOutcome::Written);
    EXPECT_EQ(document.saveCalls, 2);
    ASSERT_EQ(prompts.Boxes().size(), 2u);
    EXPECT_EQ(Box(0), "Błąd kompilacji | Dokument nie został zapisany do pliku!\n\nPrzed kompilacją "
                      "należy zapisać dokument!\n\nCzy zapisać dokument?");
    EXPECT_EQ(prompts.Boxes()[0].buttons, host::Buttons::YesNo);
    EXPECT_TRUE(fs::exists(dir / "saved.asm"));
}

TEST_F(CompileDriverTest, UnsavedDocumentAndNoDoesNothing) {
    document = FakeDocument();
    prompts.QueueAnswer(host::Answer::No);
    EXPECT_EQ(Compile().outcome, CompileOutcome::NotStarted);
    EXPECT_EQ(document.saveCalls, 0);
    EXPECT_TRUE(runner.runs.empty());
}

TEST_F(CompileDriverTest, NothingHappensWhileARunHoldsTheEditorOrTheTextIsEmpty) {
    editor.SetEnabled(false);
    EXPECT_EQ(Compile().outcome, CompileOutcome::NotStarted);
    editor.SetEnabled(true);
    editor.SetText("");
    EXPECT_EQ(Compile().outcome, CompileOutcome::NotStarted);
    EXPECT_TRUE(prompts.Boxes().empty());
    EXPECT_TRUE(fs::is_empty(dir.Path()));
}

TEST_F(CompileDriverTest, UnwritableAssemblerFileAsksForAnother) {
    fs::create_directory(dir / "test.asm");  // a folder cannot be replaced by the file
    files.QueueChoice(dir / "other.asm");
    EXPECT_EQ(Compile().outcome, CompileOutcome::Written);
    EXPECT_EQ(Box(0), "Błąd pliku (OWK1) | Błąd pliku ASM: " + dir / "test.asm" + "\n\nWybierz inny plik ASM.");
    ASSERT_EQ(files.Requests().size(), 1u);
    EXPECT_EQ(files.Requests()[0].request.filter, "Piki assemblera ASM (*.asm)|*.asm|Wszystkie pliki (*.*)|*.*|");
    EXPECT_EQ(files.Requests()[0].request.defaultExtension, "*.asm");
    EXPECT_EQ(files.Requests()[0].request.initialName, dir / "test.asm");
    EXPECT_NE(ReadText(dir / "test.sh").find("'" + dir / "other.asm' > Wynik.txt"), std::string::npos);
}

TEST_F(CompileDriverTest, UnwritableMemoryFileAndNoAbandons) {
    fs::create_directory(dir / "Pamiec.asm");
    prompts.QueueAnswer(host::Answer::No);
    EXPECT_EQ(Compile().outcome, CompileOutcome::Abandoned);
    EXPECT_EQ(Box(0), "Brak pliku (OWK2) | Błąd pliku Pamięci: " + dir / "Pamiec.asm" +
                          "\n\nWybierz inny plik Pamięci.");
    EXPECT_TRUE(runner.runs.empty());  // an old assembler file must not be assembled instead
    EXPECT_TRUE(editor.IsEnabled());
}

TEST_F(CompileDriverTest, MissingConfigurationAbandonsAndRestoresTheEditor) {
    settings.WriteString("Plik konfiguracji", dir / "none.asm");
    editor.SetSelection(3, 4);
    files.QueueChoice(std::nullopt);
    EXPECT_EQ(Compile().outcome, CompileOutcome::Abandoned);
    EXPECT_EQ(Box(0), "Błąd pliku (OWK1) | Błąd pliku konfiguracji: " + dir / "none.asm" +
                          "\n\nWybierz inny plik Konfiguracji.");
    EXPECT_FALSE(files.Requests()[0].save);
    EXPECT_FALSE(fs::exists(dir / "test.asm"));
    EXPECT_TRUE(editor.IsEnabled());
    EXPECT_GE(editor.FocusRequests(), 1);
    std::int32_t start = 0, end = 0;
    editor.GetSelection(start, end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(3, 4));
}

TEST_F(CompileDriverTest, MissingMemoryDefinitionsChosenInTheDialogIsStored) {
    settings.WriteString(host::Pl("Plik pamięci"), dir / "none.asm");
    WriteText(dir / "defs.asm", ".DSEG\n");
    files.QueueChoice(dir / "defs.asm");
    EXPECT_EQ(Compile().outcome, CompileOutcome::Written);
    EXPECT_EQ(Box(0), "Błąd pliku (OWK1) | Błąd pliku pamięci: " + dir / "none.asm" +
                          "\n\nWybierz inny plik Pamięci.");
    EXPECT_EQ(settings.ReadString(host::Pl("Plik pamięci"), ""), dir / "defs.asm");
    EXPECT_NE(ReadText(dir / "Pamiec.asm").find(".include \"" + dir / "defs.asm\""), std::string::npos);
}

TEST_F(CompileDriverTest, UnwritableBuildScriptAsksWithItsOwnDialog) {
    fs::create_directory(dir / "test.sh");
    prompts.QueueAnswer(host::Answer::Yes);
    files.QueueChoice(std::nullopt);
    EXPECT_EQ(Compile().outcome, CompileOutcome::Abandoned);
    EXPECT_EQ(Box(0), "Błąd pliku (OWK1) | Błąd pliku BAT: " + dir / "test.sh" + "\n\nWybierz inny plik BAT.");
    EXPECT_EQ(files.Requests()[0].request.defaultExtension, "*.sh");
    EXPECT_TRUE(runner.runs.empty());
}

// Whatever the document is called, the compile never writes over it, over the include files or
// over its own other files.
TEST_F(CompileDriverTest, GeneratedFilesNeverOverwriteTheScriptOrEachOther) {
    const std::string original = "Exit();";
    struct Row { const char* document; const char* instead; const char* caption; };
    for (const Row row : {Row{"prog.asm", "a.asm", "Błąd pliku (OWK1) | Błąd pliku ASM: "},
                          Row{"Pamiec.orv", "b.asm", "Błąd pliku (OWK1) | Błąd pliku ASM: "},
                          Row{"prog.sh", "c.sh", "Błąd pliku (OWK1) | Błąd pliku BAT: "},
                          Row{"prog.hex", "d.sh", "Błąd pliku (OWK1) | Błąd pliku BAT: "}}) {
        prompts.Clear();
        WriteText(dir / row.document, original);
        document = FakeDocument(dir / row.document);
        editor.SetText(original);
        files.QueueChoice(dir / row.instead);
        EXPECT_EQ(Compile().outcome, CompileOutcome::Written) << row.document;
        EXPECT_EQ(ReadText(dir / row.document), original) << row.document;
        ASSERT_EQ(prompts.Boxes().size(), 1u) << row.document;
        EXPECT_EQ(Box(0).rfind(row.caption, 0), 0u) << Box(0);
        EXPECT_TRUE(fs::exists(dir / row.instead)) << row.document;
    }
}

}  // namespace
}  // namespace orvane::test
