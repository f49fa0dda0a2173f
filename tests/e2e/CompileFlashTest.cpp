#include <gtest/gtest.h>

#include <filesystem>

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

// --commands names the command file for one call: the stored "Plik komend" stays as it was,
// and a stored file that is gone is told, never compiled against an empty table in silence.
TEST_F(CompileFlashTest, TheCommandsOptionLeavesTheStoredFileAloneAndAMissingOneIsTold) {
    const std::string stored = File("stored.ini", "[Inne]\r\n");  // holds no command
    std::filesystem::create_directories(Path("config/ORVANE"));
    ASSERT_TRUE(platform::AtomicFile::Write(cli.SettingsPath(), "[ORVANE]\nPlik%20komend=" + stored + "\n"));
    std::string shipped;
    ASSERT_TRUE(platform::AtomicFile::Read(ORVANE_DATA_DIR "/Komendy.ini", shipped));
    const std::string given = std::filesystem::relative(File("given.ini", shipped)).string();
    const std::string script = File("servo.orv", "ServoSet(1, 0, 0, 0, 1500);\n");

    const auto once = cli.Run({"--commands", given, "compile", script});
    EXPECT_EQ(once.exitCode, 0) << once.err;  // ServoSet is only in the given file
    EXPECT_NE(Settings().find(stored), std::string::npos) << Settings();
    EXPECT_EQ(Settings().find("given.ini"), std::string::npos) << Settings();

    std::filesystem::remove(stored);
    const auto missing = cli.Run({"compile", script});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("nie znaleziono pliku definicji komend " + stored), std::string::npos)
        << missing.err;
}

}  // namespace
}  // namespace orvane::test
