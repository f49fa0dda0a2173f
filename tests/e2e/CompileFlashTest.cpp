#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/CliHarness.h"

namespace orvane::test {
namespace {

class CompileFlashTest : public CliSimTest {
protected:
    CompileFlashTest() { StartSim(); }
    CliProcess::Result Compile(const std::string& name, const std::string& text, Args flags = {}) {
        Args args{"--commands", ORVANE_DATA_DIR "/Komendy.ini", "compile", File(name, text)};
        args.insert(args.end(), flags.begin(), flags.end());
        return Cli(args);
    }
    bool ProgramAreaErased() {
        return SameRange(SimFlash(), FlashImage(), FlashImage::kProgramStart, FlashImage::kProgramEnd);
    }
};

TEST_F(CompileFlashTest, CompiledProgramLandsInTheControllersProgramArea) {
    const auto result = Compile("sweep.orv", "Var: p; p = 1000;\nwhile (p < 2000) { ServoSet(1, 0, 0, 0, p); p = p + 10; }\n",
                                {"--flash", "--verify"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Plik programu: " + Path("sweep.hex") + "\nWeryfikacja: zawartość pamięci zgodna z plikiem.\n");
    const FlashImage hex = ReadImage(Path("sweep.hex"));
    EXPECT_NE(hex[FlashImage::kProgramStart], 0xFF);  // the entry table at word 0x0380
    EXPECT_TRUE(SameRange(SimFlash(), hex, FlashImage::kProgramStart, FlashImage::kProgramEnd));
    EXPECT_NE(Settings().find("Plik=" + Path("sweep.hex")), std::string::npos) << Settings();
}

TEST_F(CompileFlashTest, WithoutFlashTheControllerIsLeftAlone) {
    EXPECT_EQ(Compile("a.orv", "Exit();").exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(Path("a.hex")));
    EXPECT_TRUE(sim->Traffic().empty());
}

TEST_F(CompileFlashTest, ErrorsAreReportedAndNothingIsWritten) {
    const auto translation = Compile("bad.orv", "Var: x;\nx = 1;\nServoSett(1);\nx = 2;\n", {"--flash"});
    EXPECT_EQ(translation.exitCode, 1);
    EXPECT_NE(translation.err.find("Komenda niezdefiniowana:  \"ServoSett(1);\"!"), std::string::npos) << translation.err;
    EXPECT_NE(translation.err.find("Program nie zostanie zapisany do urządzenia!"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(Path("bad.hex"))) << "assembled all the same";

    const auto assembler = Compile("asm.orv", "asm:\n  bogus r1\n", {"--flash"});
    EXPECT_EQ(assembler.exitCode, 1);
    EXPECT_NE(assembler.out.find("Unknown mnemonic"), std::string::npos) << assembler.out;
    EXPECT_EQ(Heard('w'), 0);
    EXPECT_TRUE(ProgramAreaErased());
}

}  // namespace
}  // namespace orvane::test
