// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "core/host/Cp1250.h"
#include "tests/compiler/RealCompile.h"

namespace orvane::test {
namespace {

namespace fs = std::filesystem;
using compiler::CompileOutcome;

// Each in a folder whose name, like the script's, holds quotes, dollars, blanks and Polish
// letters: they reach the shell and the assembler as they are, and nothing runs that the user did
// not write.
TEST(Avra, EveryScriptOfTheCorpusAndTheExamplesAssemblesWhateverItsName) {
    std::vector<fs::path> scripts;
    for (const char* folder : {ORVANE_DATA_DIR "/../tests/compiler/corpus", ORVANE_DATA_DIR "/examples"})
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".orv") scripts.push_back(entry.path());
    ASSERT_GE(scripts.size(), 4u);
    for (const auto& path : scripts) {
        const RealCompile compile(ReadWhole(path.string()),
                                  host::Pl("it's $(touch PWNED) `touch PWNED` ; Łódź/a b'") + path.filename().string());
        EXPECT_EQ(compile.result.outcome, CompileOutcome::Compiled) << path << "\n" << compile.Report();
        EXPECT_EQ(compile.prompts.Shown(), std::vector<std::string>{}) << path;
        EXPECT_TRUE(fs::exists(host::Cp1250ToUtf8(compile.result.hexPath))) << path;
        for (const auto& entry : fs::recursive_directory_iterator(compile.folder.Path()))
            EXPECT_NE(entry.path().filename(), "PWNED");
    }
    EXPECT_FALSE(fs::exists("PWNED"));
}

TEST(Avra, ErrorsOnStandardErrorReachTheReport) {
    const RealCompile compile("asm:\n  bogus r1\n");
    EXPECT_EQ(compile.result.outcome, CompileOutcome::AssemblyErrors);
    EXPECT_NE(compile.shown.find("bogus"), std::string::npos) << compile.shown;
    EXPECT_NE(compile.shown.find("Error"), std::string::npos) << compile.shown;
}

}  // namespace
}  // namespace orvane::test
