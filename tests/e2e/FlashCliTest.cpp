#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/device/FlashImage.h"
#include "core/device/HexFile.h"
#include "core/host/AtomicFile.h"
#include "sim/FlashFile.h"
#include "tests/support/CliProcess.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SimProcess.h"

namespace orvane::test {
namespace {

using Args = std::vector<std::string>;
using device::FlashImage;
using device::HexFile;

FlashImage RandomImage(int from, int to, unsigned seed) {
    FlashImage image;
    std::mt19937 random(seed);
    for (int a = from; a < to; ++a) image[a] = static_cast<std::uint8_t>(random() % 255);
    return image;
}

FlashImage ReadImage(const std::string& path) {
    FlashImage image;
    ScriptedPrompts prompts;
    const auto r = HexFile::ReadHexFile(path, image, 0, {}, {}, prompts);
    EXPECT_TRUE(HexFile::Usable(r)) << path;
    return image;
}

bool SameRange(const FlashImage& a, const FlashImage& b, int from, int to) {
    return std::equal(a.Data() + from, a.Data() + to, b.Data() + from);
}

class FlashCliTest : public ::testing::Test {
protected:
    FlashCliTest() { std::filesystem::create_directories(Path("")); }
    void StartSim(Args args = {}) {
        args.insert(args.begin(), {"--flash", Path("sim-flash.hex")});
        sim = std::make_unique<SimProcess>(ORVANE_SIM_BIN, std::move(args));
    }
    // The simulator's flash as it saves it when stopped.
    FlashImage SimFlash() {
        sim->Stop();
        return ReadImage(Path("sim-flash.hex"));
    }
    CliProcess::Result Cli(Args args) {
        args.insert(args.begin(), {"--port", sim->SlavePath()});
        return cli.Run(args);
    }
    std::string Path(const std::string& name) const { return cli.Home() + "/files/" + name; }
    std::string HexFileOf(const std::string& name, const std::string& text) {
        EXPECT_TRUE(host::AtomicFile::Write(Path(name), text));
        return Path(name);
    }
    int Heard(std::uint8_t byte) const {
        int n = 0;
        for (const auto& [direction, b] : sim->Traffic()) n += direction == 'R' && b == byte;
        return n;
    }

    CliProcess cli{ORVANE_CLI_BIN};
    std::unique_ptr<SimProcess> sim;
};

TEST_F(FlashCliTest, WrittenFilesEndUpInTheFlashAndComeBackByReadOut) {
    StartSim();
    const FlashImage program = RandomImage(FlashImage::kProgramStart, FlashImage::kProgramEnd, 7);
    const FlashImage system = RandomImage(0, FlashImage::kSystemEnd, 8);
    const std::string programHex = HexFileOf("program.hex", HexFile::WriteProgramHex(program));
    const auto write = Cli({"write", "program", programHex, "--verify"});
    EXPECT_EQ(write.exitCode, 0) << write.err;
    EXPECT_EQ(write.out, "Weryfikacja: zawartość pamięci zgodna z plikiem.\n");
    EXPECT_EQ(Cli({"write", "system", HexFileOf("system.hex", HexFile::WriteSystemHex(system))}).exitCode, 0);

    EXPECT_EQ(Cli({"read", "program", Path("back-program.hex")}).exitCode, 0);
    EXPECT_EQ(Cli({"read", "system", Path("back-system.hex")}).exitCode, 0);
    std::string text;
    ASSERT_TRUE(host::AtomicFile::Read(Path("back-program.hex"), text));
    EXPECT_EQ(text, HexFile::WriteProgramHex(program));
    ASSERT_TRUE(host::AtomicFile::Read(Path("back-system.hex"), text));
    EXPECT_EQ(text, HexFile::WriteSystemHex(system));

    const FlashImage saved = SimFlash();
    EXPECT_TRUE(SameRange(saved, program, FlashImage::kProgramStart, FlashImage::kProgramEnd));
    EXPECT_TRUE(SameRange(saved, system, 0, FlashImage::kSystemEnd));
    // The files are remembered for the window application, which offers them next time.
    ASSERT_TRUE(host::AtomicFile::Read(cli.SettingsPath(), text));
    EXPECT_NE(text.find("Plik=" + Path("system.hex")), std::string::npos) << text;
    EXPECT_NE(text.find("System%20zapisz=" + Path("back-system.hex")), std::string::npos) << text;
}

TEST_F(FlashCliTest, EraseClearsOnlyItsArea) {
    const FlashImage both = RandomImage(0, FlashImage::kProgramEnd, 9);
    for (const bool program : {true, false}) {
        std::string error;
        ASSERT_TRUE(sim::FlashFile::Save(Path("sim-flash.hex"), both, error)) << error;
        StartSim();
        EXPECT_EQ(Cli({"erase", program ? "program" : "system"}).exitCode, 0);
        const FlashImage saved = SimFlash();
        const FlashImage& expectedProgram = program ? FlashImage() : both;
        const FlashImage& expectedSystem = program ? both : FlashImage();
        EXPECT_TRUE(SameRange(saved, expectedProgram, FlashImage::kProgramStart, FlashImage::kProgramEnd));
        EXPECT_TRUE(SameRange(saved, expectedSystem, 0, FlashImage::kSystemEnd));
    }
}

struct FaultRow {
    const char* name;
    Args sim;
    Args cli;
    const char* expected;  // on standard error
    std::int64_t maxMs;
};

class FlashFaultTest : public FlashCliTest, public ::testing::WithParamInterface<FaultRow> {};

// Bytes heard before the first page: the start query, the operation's query, 0xF0 and 'e'.
constexpr int kBeforePages = 4;

TEST_P(FlashFaultTest, EndsWithItsMessageInBoundedTime) {
    const FaultRow& row = GetParam();
    StartSim(row.sim);
    const FlashImage program = RandomImage(FlashImage::kProgramStart, 0x1000, 3);
    HexFileOf("p.hex", HexFile::WriteProgramHex(program));
    HexFileOf("below.hex", ":02060000AABB93\r\n:00000001FF\r\n");
    HexFileOf("top.hex", ":021F0000AABB76\r\n:00000001FF\r\n");
    Args args;
    for (const auto& a : row.cli) args.push_back(a[0] == '@' ? Path(a.substr(1)) : a);
    const auto r = Cli(args);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find(row.expected), std::string::npos) << r.err;
    EXPECT_LT(r.elapsedMs, row.maxMs);
    EXPECT_FALSE(std::filesystem::exists(Path("out.hex")));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FlashFaultTest,
    ::testing::Values(
        FaultRow{"HangUpInThePageLoop", {"--fault", "hangup-after:" + std::to_string(kBeforePages + 67 * 3 + 10)},
                 {"write", "program", "@p.hex"}, "Błąd zapisu (OWZP2): Błąd Zapisania Programu", 10000},
        FaultRow{"PageRefused", {"--fault", "write-fails:3"}, {"write", "program", "@p.hex"},
                 "Błąd zapisu (OWZP2): Błąd Zapisania Programu", 5000},
        FaultRow{"EraseRefused", {"--fault", "erase-fails"}, {"erase", "system"},
                 "Błąd kasowania (OWKS1): Błąd kasowania Systemu", 5000},
        FaultRow{"CorruptedBootLoaderReply", {"--fault", "corrupt:3"}, {"write", "program", "@p.hex"},
                 "Błąd (OWZP3): Błąd przejścia do trybu BootLoadera!", 5000},
        FaultRow{"SilentAfterEnteringTheBootLoader", {"--fault", "silent-after:3"}, {"read", "program", "@out.hex"},
                 "Błąd pobrania: Nie odebrano żadnych danych z urządzenia.\nPlik nie został zapisany.", 6000},
        FaultRow{"DataBelowTheProgram", {}, {"write", "program", "@below.hex"},
                 "BŁĄD: Błąd kompilacji OWPZKL!\nNadpis Systemu!", 3000},
        FaultRow{"DataAtTheTop", {}, {"write", "program", "@top.hex"},
                 "BŁĄD: Błąd kompilacji OWPZKH!\nZbyt duży program!", 3000},
        FaultRow{"FileThatCannotBeOpened", {}, {"write", "system", "@missing.hex"},
                 "Nie można otworzyć pliku: ", 3000},
        FaultRow{"FileThatCannotBeCreated", {}, {"read", "program", "@no/such/folder/out.hex"},
                 "Nie można utworzyć pliku: ", 5000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FlashCliTest, RefusedFilesLeaveTheFlashAlone) {
    const FlashImage program = RandomImage(FlashImage::kProgramStart, 0x0900, 4);
    ASSERT_TRUE(host::AtomicFile::Write(Path("sim-flash.hex"), HexFile::WriteProgramHex(program)));
    StartSim();
    const auto r = Cli({"write", "program", HexFileOf("bad.hex", ":02060000AABB93\r\n")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(Heard('e'), 0);  // nothing erased for a file that is refused
    EXPECT_TRUE(SameRange(SimFlash(), program, FlashImage::kProgramStart, FlashImage::kProgramEnd));
}

}  // namespace
}  // namespace orvane::test
