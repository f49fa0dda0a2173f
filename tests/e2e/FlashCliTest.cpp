// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "sim/FlashFile.h"
#include "tests/e2e/CliHarness.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RowName.h"

namespace orvane::test {
namespace {

using device::HexFile;

FlashImage RandomImage(int from, int to, unsigned seed) {
    FlashImage image;
    std::mt19937 random(seed);
    for (int a = from; a < to; ++a) image[a] = static_cast<std::uint8_t>(random() % 255);
    return image;
}

using FlashCliTest = CliSimTest;

TEST_F(FlashCliTest, WrittenFilesEndUpInTheFlashAndComeBackByReadOut) {
    StartSim();
    const FlashImage program = RandomImage(FlashImage::kProgramStart, FlashImage::kProgramEnd, 7);
    const FlashImage system = RandomImage(0, FlashImage::kSystemEnd, 8);
    const std::string hex[] = {HexFile::WriteProgramHex(program), HexFile::WriteSystemHex(system)};
    const auto write = Cli({"write", "program", File("program.hex", hex[0]), "--verify"});
    EXPECT_EQ(write.exitCode, 0) << write.err;
    EXPECT_EQ(write.out, "Weryfikacja: zawartość pamięci zgodna z plikiem.\n");
    EXPECT_EQ(Cli({"write", "system", File("system.hex", hex[1])}).exitCode, 0);
    for (const int i : {0, 1}) {
        const std::string area = i ? "system" : "program";
        EXPECT_EQ(Cli({"read", area, Path("back-" + area + ".hex")}).exitCode, 0) << area;
        EXPECT_EQ(ReadWhole(Path("back-" + area + ".hex")), hex[i]) << area;
    }
    const FlashImage saved = SimFlash();
    EXPECT_TRUE(SameRange(saved, program, FlashImage::kProgramStart, FlashImage::kProgramEnd));
    EXPECT_TRUE(SameRange(saved, system, 0, FlashImage::kSystemEnd));
    // The files are remembered for the window application, which offers them next time.
    EXPECT_NE(Settings().find("Plik=" + Path("system.hex")), std::string::npos) << Settings();
    EXPECT_NE(Settings().find("System%20zapisz=" + Path("back-system.hex")), std::string::npos) << Settings();
}

TEST_F(FlashCliTest, EraseClearsOnlyItsArea) {
    const FlashImage both = RandomImage(0, FlashImage::kProgramEnd, 9);
    for (const bool program : {true, false}) {
        std::string error;
        ASSERT_TRUE(sim::FlashFile::Save(Path("sim-flash.hex"), both, error)) << error;
        StartSim();
        EXPECT_EQ(Cli({"erase", program ? "program" : "system"}).exitCode, 0);
        const FlashImage saved = SimFlash();
        EXPECT_TRUE(SameRange(saved, program ? FlashImage() : both, FlashImage::kProgramStart, FlashImage::kProgramEnd));
        EXPECT_TRUE(SameRange(saved, program ? both : FlashImage(), 0, FlashImage::kSystemEnd));
    }
}

TEST_F(FlashCliTest, CompiledProgramLandsInTheControllersProgramArea) {
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
TEST_F(FlashCliTest, TheCommandsOptionLeavesTheStoredFileAloneAndAMissingOneIsTold) {
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

struct FaultRow {
    const char* name;
    Args sim;
    Args cli;
    const char* expected;  // on standard error
    std::int64_t maxMs;
    bool erases = true;    // false: refused before anything is erased
};

class FlashFaultTest : public FlashCliTest, public ::testing::WithParamInterface<FaultRow> {};

// Bytes heard before the first page: the start query, the operation's query, 0xF0 and 'e'.
constexpr int kBeforePages = 4;

TEST_P(FlashFaultTest, EndsWithItsMessageInBoundedTime) {
    const FaultRow& row = GetParam();
    const FlashImage program = RandomImage(FlashImage::kProgramStart, 0x1000, 3);
    ASSERT_TRUE(platform::AtomicFile::Write(Path("sim-flash.hex"), HexFile::WriteProgramHex(program)));
    StartSim(row.sim);
    File("p.hex", HexFile::WriteProgramHex(program));
    File("below.hex", ":02060000AABB93\r\n:00000001FF\r\n");
    File("top.hex", ":021F0000AABB76\r\n:00000001FF\r\n");
    Args args;
    for (const auto& a : row.cli) args.push_back(a[0] == '@' ? Path(a.substr(1)) : a);
    const auto r = Cli(args);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find(row.expected), std::string::npos) << r.err;
    EXPECT_LT(r.elapsedMs, row.maxMs);
    EXPECT_FALSE(std::filesystem::exists(Path("out.hex")));
    if (!row.erases) {
        EXPECT_EQ(Heard('e') + Heard('E'), 0);
        EXPECT_TRUE(SameRange(SimFlash(), program, 0, FlashImage::kProgramEnd)) << "the flash is left alone";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FlashFaultTest,
    ::testing::Values(
        FaultRow{"HangUpInThePageLoop", {"--fault", "hangup-after:" + std::to_string(kBeforePages + 67 * 3 + 10)},
                 {"write", "program", "@p.hex"}, "Błąd zapisu (OWZP2): Błąd Zapisania Programu", 10000},
        FaultRow{"CorruptedBootLoaderReply", {"--fault", "corrupt:3"}, {"write", "program", "@p.hex"},
                 "Błąd (OWZP3): Błąd przejścia do trybu BootLoadera!", 5000},
        FaultRow{"SilentAfterEnteringTheBootLoader", {"--fault", "silent-after:3"}, {"read", "program", "@out.hex"},
                 "Błąd pobrania: Nie odebrano żadnych danych z urządzenia.\nPlik nie został zapisany.", 6000},
        FaultRow{"DataBelowTheProgram", {}, {"write", "program", "@below.hex"},
                 "BŁĄD: Błąd kompilacji OWPZKL!\nNadpis Systemu!", 3000, false},
        FaultRow{"DataAtTheTop", {}, {"write", "program", "@top.hex"},
                 "BŁĄD: Błąd kompilacji OWPZKH!\nZbyt duży program!", 3000, false},
        FaultRow{"FileThatCannotBeOpened", {}, {"write", "system", "@missing.hex"}, "Nie można otworzyć pliku: ", 3000,
                 false},
        FaultRow{"FileThatCannotBeCreated", {}, {"read", "program", "@no/such/folder/out.hex"},
                 "Nie można utworzyć pliku: ", 5000}),
    RowName<&FaultRow::name>{});

}  // namespace
}  // namespace orvane::test
