#include <gtest/gtest.h>

#include "tests/e2e/CliHarness.h"

namespace orvane::test {
namespace {

using CompileFlashTest = CliSimTest;

TEST_F(CompileFlashTest, CompiledProgramLandsInTheControllersProgramArea) {
    StartSim();
    const auto result = Cli({"--commands", ORVANE_DATA_DIR "/Komendy.ini", "compile",
                             File("sweep.orv", "Var: p; p = 1000;\nwhile (p < 2000) { ServoSet(1, 0, 0, 0, p); p = p + 10; }\n"),
                             "--flash", "--verify"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Plik programu: " + Path("sweep.hex") + "\nWeryfikacja: zawartość pamięci zgodna z plikiem.\n");
    const FlashImage hex = ReadImage(Path("sweep.hex"));
    EXPECT_NE(hex[FlashImage::kProgramStart], 0xFF);  // the entry table at word 0x0380
    EXPECT_TRUE(SameRange(SimFlash(), hex, FlashImage::kProgramStart, FlashImage::kProgramEnd));
    EXPECT_NE(Settings().find("Plik=" + Path("sweep.hex")), std::string::npos) << Settings();
}

}  // namespace
}  // namespace orvane::test
