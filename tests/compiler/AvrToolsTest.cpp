#include <gtest/gtest.h>

#include <filesystem>

#include "core/host/Cp1250.h"
#include "tests/compiler/AvrHarness.h"

namespace orvane::test {
namespace {

namespace fs = std::filesystem;
using compiler::CompileOutcome;

// Our own corpus and whatever example scripts the project ships.
std::vector<fs::path> Scripts() {
    std::vector<fs::path> scripts;
    for (const char* folder : {ORVANE_DATA_DIR "/../tests/compiler/corpus", ORVANE_DATA_DIR "/examples"}) {
        if (!fs::is_directory(folder)) continue;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".orv") scripts.push_back(entry.path());
    }
    std::sort(scripts.begin(), scripts.end());
    return scripts;
}

TEST(Avra, EveryScriptOfTheCorpusAndTheExamplesAssembles) {
    const auto scripts = Scripts();
    ASSERT_GE(scripts.size(), 4u);
    for (const auto& path : scripts) {
        const RealCompile compile(ReadText(path.string()), path.filename().string());
        EXPECT_EQ(compile.Result().outcome, CompileOutcome::Compiled)
            << path << "\n" << compile.Report();
        EXPECT_TRUE(compile.Boxes().empty()) << path << ": " << compile.Boxes().front().text;
        EXPECT_TRUE(fs::exists(compile.Result().hexPath)) << path;
    }
}

TEST(Avra, ErrorsOnStandardErrorReachTheReport) {
    struct Row { const char* script; const char* error; };
    for (const Row row : {Row{"GoTo(Nowhere);", "ORVANExlNowhere"},
                          Row{"asm:\n  bogus r1\n", "bogus"}}) {
        const RealCompile compile(row.script);
        EXPECT_EQ(compile.Result().outcome, CompileOutcome::AssemblyErrors) << row.script;
        EXPECT_NE(compile.ShownReport().find(row.error), std::string::npos) << compile.ShownReport();
        EXPECT_NE(compile.ShownReport().find("Error"), std::string::npos) << compile.ShownReport();
    }
}

TEST(Avra, WarningsAloneAreASuccess) {
    const RealCompile compile("Var: x; x = 70000;");
    EXPECT_NE(compile.Report().find("warning"), std::string::npos) << compile.Report();
    EXPECT_EQ(compile.Result().outcome, CompileOutcome::Compiled);
}

// Quotes, dollars, blanks and Polish letters in the folder and the script's name are passed to
// the shell and the assembler as they are: nothing runs that the user did not write.
TEST(Avra, FileNamesCannotInjectCommands) {
    const std::string name = host::Pl("it's $(touch PWNED) `touch PWNED` ; Łódź/a b'c.orv");
    const RealCompile compile("Var: x; x = 1;", name);
    EXPECT_EQ(compile.Result().outcome, CompileOutcome::Compiled) << compile.Report();
    EXPECT_TRUE(fs::exists(host::Cp1250ToUtf8(compile.Result().hexPath)));
    for (const auto& entry : fs::recursive_directory_iterator(compile.Folder()))
        EXPECT_NE(entry.path().filename(), "PWNED");
    EXPECT_FALSE(fs::exists("PWNED"));
}

TEST(Avra, PolishCommentsInTheScript) {
    const RealCompile compile(host::Pl("// Zażółć gęślą jaźń\nVar: x; /* ąę */ x = 2;\n"));
    EXPECT_EQ(compile.Result().outcome, CompileOutcome::Compiled) << compile.Report();
}

}  // namespace
}  // namespace orvane::test
