#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "core/compiler/AssemblerReport.h"
#include "core/compiler/BuildPaths.h"
#include "core/compiler/BuildScript.h"
#include "core/host/PosixProcessRunner.h"
#include "core/host/TextEditorAccess.h"
#include "tests/compiler/CompileFakes.h"

namespace orvane::test {
namespace {

using compiler::BuildPaths;

TEST(AssemblerReport, SuccessOnlyOnTheExactLine) {
    struct Row { const char* report; bool success; };
    for (const Row row : {Row{"Pass 2...\nAssembly complete with no errors.\nSegment usage:\n", true},
                          Row{"x Assembly complete with no errors. y", true},
                          Row{"Assembly complete with no errors (1 warning).\n", true},
                          Row{"Assembly complete with no errors (12 warnings).\n", true},
                          Row{"Assembly complete with no errors\n.", false},
                          Row{"Assembly complete with no errors (some errors).\n", false},
                          Row{"Assembly aborted with 2 errors and 0 warnings.\n", false},
                          Row{"assembly complete with no errors.\n", false}, Row{"", false}})
        EXPECT_EQ(compiler::AssemblerReport::Succeeded(row.report), row.success) << row.report;
}

// Whatever the build script is called, the assembler's four files and the script differ, and
// only the script's own extension is replaced (not a ".bat" in a folder name).
TEST(BuildPaths, OutputsAlwaysDiffer) {
    struct Row { const char* script; const char* hex; const char* map; };
    for (const Row row : {Row{"/d/x.bat.d/test.sh", "/d/x.bat.d/test.hex", "/d/x.bat.d/test.map"},
                          Row{"/d/build", "/d/build.hex", "/d/build.map"},
                          Row{"/d/build.bat", "/d/build.hex", "/d/build.map"},
                          Row{"/d/X.HEX", "/d/X.HEX.hex", "/d/X.HEX.map"}}) {
        const auto out = BuildPaths::OutputsOf(row.script);
        EXPECT_EQ(out.hex + " " + out.map, std::string(row.hex) + " " + row.map);
        EXPECT_EQ((std::set<std::string>{out.hex, out.object, out.eeprom, out.map, row.script}).size(), 5u) << row.script;
    }
}

// What the shell makes of a quoted word is exactly the text.
TEST(BuildScript, QuotedTextReachesTheProgramUnchanged) {
    TempDir dir;
    std::ostringstream report;
    host::PosixProcessRunner runner(report);
    for (const std::string text :
         {"plain", "it's", "$(touch PWNED)", "`touch PWNED`", "a b\tc", "'''", "x;touch PWNED", "\\n\\'", "-rf"}) {
        using compiler::BuildScript;
        WriteText(dir / "echo.sh", "printf '%s' " + BuildScript::Quote(text) + " > " + BuildScript::Quote(dir / "o") + "\n");
        EXPECT_EQ(runner.Run({"/bin/sh", dir / "echo.sh"}), 0);
        EXPECT_EQ(ReadText(dir / "o"), text);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "PWNED"));
    EXPECT_FALSE(std::filesystem::exists("PWNED"));
}

TEST(PosixProcessRunner, ExitStatusFailureToStartAndTheReport) {
    TempDir dir;
    std::ostringstream report;
    host::PosixProcessRunner runner(report);
    EXPECT_EQ(runner.Run({"/bin/sh", "-c", "exit 3"}), 3);
    EXPECT_EQ(runner.Run({"sh", "-c", "exit 0"}), 0);  // found in PATH
    EXPECT_EQ(runner.Run({"sh", "-c", "kill -TERM $$"}), 128 + 15);
    EXPECT_EQ(runner.Run({"/no/such/program"}), -1);
    EXPECT_EQ(runner.Run({}), -1);
    WriteText(dir / "Wynik.txt", "line 1\nline 2");
    runner.ShowReport(dir / "Wynik.txt");
    EXPECT_EQ(report.str(), "line 1\nline 2\n");
    runner.ShowReport(dir / "none.txt");
    EXPECT_NE(report.str().find("none.txt"), std::string::npos);
}

TEST(TextEditorAccess, LinesAndSelection) {
    host::TextEditorAccess editor("asm:\r\n  nop\r\n\nlast");
    std::vector<std::string> lines;
    for (int i = 0; i <= 4; ++i) lines.push_back(editor.LineText(i) + "@" + std::to_string(editor.LineStart(i)));
    EXPECT_EQ(lines, (std::vector<std::string>{"asm:@0", "  nop@6", "@13", "last@14", "@18"}));
    EXPECT_EQ(editor.LineCount(), 4);
    // The line feed belongs to its line.
    for (const auto& [position, line] : {std::pair{0, 0}, {5, 0}, {6, 1}, {editor.Length(), 3}})
        EXPECT_EQ(editor.LineFromPosition(position), line) << position;
    editor.SetSelection(-4, 1000);
    std::int32_t start = 0, end = 0;
    editor.GetSelection(start, end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, editor.Length()));
}

}  // namespace
}  // namespace orvane::test
