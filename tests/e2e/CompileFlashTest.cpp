#include <gtest/gtest.h>

#include <filesystem>

#include "core/device/FlashImage.h"
#include "core/device/HexFile.h"
#include "core/host/AtomicFile.h"
#include "tests/support/CliProcess.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SimProcess.h"

namespace orvane::test {
namespace {

using Args = std::vector<std::string>;
using device::FlashImage;

FlashImage ReadImage(const std::string& path) {
    FlashImage image;
    ScriptedPrompts prompts;
    EXPECT_TRUE(device::HexFile::Usable(device::HexFile::ReadHexFile(path, image, 0, {}, {}, prompts)))
        << path;
    return image;
}

bool ProgramAreaEqual(const FlashImage& a, const FlashImage& b) {
    return std::equal(a.Data() + FlashImage::kProgramStart, a.Data() + FlashImage::kProgramEnd,
                      b.Data() + FlashImage::kProgramStart);
}

class CompileFlashTest : public ::testing::Test {
protected:
    CompileFlashTest() {
        std::filesystem::create_directories(Path(""));
        sim = std::make_unique<SimProcess>(ORVANE_SIM_BIN, Args{"--flash", Path("sim-flash.hex")});
    }
    std::string Script(const std::string& name, const std::string& text) {
        EXPECT_TRUE(host::AtomicFile::Write(Path(name), text));
        return Path(name);
    }
    CliProcess::Result Compile(Args args) {
        args.insert(args.begin(), {"--port", sim->SlavePath(), "--commands",
                                   ORVANE_DATA_DIR "/Komendy.ini", "compile"});
        return cli.Run(args);
    }
    FlashImage SimFlash() {
        sim->Stop();
        return ReadImage(Path("sim-flash.hex"));
    }
    std::string Path(const std::string& name) const { return cli.Home() + "/scripts/" + name; }

    CliProcess cli{ORVANE_CLI_BIN};
    std::unique_ptr<SimProcess> sim;
};

TEST_F(CompileFlashTest, CompiledProgramLandsInTheControllersProgramArea) {
    const std::string script =
        Script("sweep.orv", "Var: p; p = 1000;\nwhile (p < 2000) { ServoSet(1, 0, 0, 0, p); p = p + 10; }\n");
    const auto result = Compile({script, "--flash", "--verify"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Plik programu: " + Path("sweep.hex") +
                              "\nWeryfikacja: zawartość pamięci zgodna z plikiem.\n");
    const FlashImage hex = ReadImage(Path("sweep.hex"));
    EXPECT_NE(hex[FlashImage::kProgramStart], 0xFF);  // the entry table at word 0x0380
    const FlashImage flash = SimFlash();
    EXPECT_TRUE(ProgramAreaEqual(flash, hex));
    std::string settings;
    ASSERT_TRUE(host::AtomicFile::Read(cli.SettingsPath(), settings));
    EXPECT_NE(settings.find("Plik=" + Path("sweep.hex")), std::string::npos) << settings;
}

TEST_F(CompileFlashTest, WithoutFlashTheControllerIsLeftAlone) {
    const auto result = Compile({Script("a.orv", "Exit();")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(std::filesystem::exists(Path("a.hex")));
    EXPECT_TRUE(sim->Traffic().empty());
}

TEST_F(CompileFlashTest, TranslationErrorsAreAssembledButNeverWritten) {
    const auto result = Compile({Script("bad.orv", "Var: x;\nx = 1;\nServoSett(1);\nx = 2;\n"), "--flash"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("Komenda niezdefiniowana:  \"ServoSett(1);\"!"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("Program nie zostanie zapisany do urządzenia!"), std::string::npos) << result.err;
    EXPECT_TRUE(std::filesystem::exists(Path("bad.hex")));
    EXPECT_TRUE(ProgramAreaEqual(SimFlash(), FlashImage()));
}

TEST_F(CompileFlashTest, AssemblerErrorsPrintTheReport) {
    const auto result = Compile({Script("asm.orv", "asm:\n  bogus r1\n"), "--flash"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.out.find("Unknown mnemonic"), std::string::npos) << result.out;
    EXPECT_TRUE(ProgramAreaEqual(SimFlash(), FlashImage()));
}

}  // namespace
}  // namespace orvane::test
