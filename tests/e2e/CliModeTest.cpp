#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/CliHarness.h"

namespace orvane::test {
namespace {

using CliModeTest = CliSimTest;

TEST_F(CliModeTest, SwitchesThroughEveryModeAndReportsEach) {
    StartSim();
    const struct { Args args; const char* mode; } steps[] = {
        {{"mode"}, "System"},
        {{"switch", "Komendy"}, "Komendy"},
        {{"switch", "bootloader"}, "BootLoader"},
        {{"switch", "System"}, "System"},
        {{"switch", "Program"}, "Program"},
        {{"switch", "System"}, "System"},
    };
    for (const auto& step : steps) {
        const auto r = Cli(step.args);
        EXPECT_EQ(r.exitCode, 0) << step.args[0] << "\n" << r.err;
        EXPECT_EQ(Cli({"mode"}).out, std::string(step.mode) + "\n");
        EXPECT_NE(r.err.find(std::string(" Tryb: ") + step.mode), std::string::npos) << r.err;
    }
    EXPECT_EQ(Heard(0xFD), 1);
    const auto version = Cli({"version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "1.3\n");
    EXPECT_NE(version.err.find("Wersja Systemu: System znajdujący się w urządzeniu jest w wersji: 1.3"),
              std::string::npos);
}

TEST_F(CliModeTest, DeviceParametersAreReadAndWritten) {
    StartSim({"--params", "0xFF,0x00"});
    EXPECT_EQ(Cli({"params"}).out,
              "Uruchamiaj pragram użytkownika na starcie: nie\nRozpocznij pracę od trybu Komendy: nie\n");
    const auto set = Cli({"params", "--set", "1", "1"});
    EXPECT_EQ(set.exitCode, 0) << set.err;
    EXPECT_NE(set.err.find("INFO: Program użytkownika będzie uruchamiany na starcie tylko wtedy"), std::string::npos);
    EXPECT_EQ(Cli({"params"}).out,
              "Uruchamiaj pragram użytkownika na starcie: tak\nRozpocznij pracę od trybu Komendy: tak\n");
}

TEST_F(CliModeTest, ASilentControllerGivesTheBoxesWithinTheirWaits) {
    StartSim({"--fault", "silent"});
    const auto mode = Cli({"mode"});
    EXPECT_EQ(mode.exitCode, 1);
    EXPECT_EQ(mode.out, "Nieznany\n");
    const auto boot = Cli({"switch", "BootLoader"});
    EXPECT_EQ(boot.exitCode, 1);
    EXPECT_NE(boot.err.find("Błąd (OTB1): Błąd przejścia do trybu BootLoader!"), std::string::npos) << boot.err;
    EXPECT_LT(boot.elapsedMs, 6000);  // two queries of at most 2 s each
    const auto version = Cli({"version"});
    EXPECT_EQ(version.exitCode, 1);
    EXPECT_NE(version.err.find("polecenie version jest niedostępne w trybie Nieznany"), std::string::npos);
}

TEST_F(CliModeTest, SettingsComeFromTheSharedFileUnderTheCommandLine) {
    StartSim({"--baud", "9600"});
    // The file names the simulator as COM7 at 9600 baud, as the window application would.
    std::filesystem::create_directories(cli.Home() + "/config/ORVANE");
    ASSERT_TRUE(host::AtomicFile::Write(cli.SettingsPath(), "[ORVANE]\nCOM=7\nBaud%20Rate=9600\nUrz%U0105dzenie%20COM7=" +
                                                              sim->SlavePath() + "\n"));
    EXPECT_EQ(cli.Run({"mode"}).out, "System\n");
    EXPECT_EQ(cli.Run({"--baud", "115200", "mode"}).out, "Nieznany\n");  // the controller hears noise
    EXPECT_EQ(cli.Run({"--setting", "Baud Rate=57,6k", "--baud", "9600", "mode"}).out, "System\n");
    const auto closed = cli.Run({"--port", "COM3", "mode"});
    EXPECT_EQ(closed.exitCode, 1);
    EXPECT_NE(closed.err.find("Błąd (OIU3): Błąd otwarcia RS232"), std::string::npos);
    EXPECT_NE(closed.err.find("/dev/ttyS2"), std::string::npos);
}

TEST_F(CliModeTest, MistakesOnTheCommandLineAreRefusedBeforeTheDeviceIsTouched) {
    StartSim();
    const Args rows[] = {
        {"switch", "Turbo"}, {"params", "--set", "2", "0"}, {"params", "--set"}, {"write", "program"},
        {"erase", "eeprom"}, {"--baud", "1234", "mode"}, {"--yes", "--no", "mode"}, {"frobnicate"},
        {"--setting", "=x", "mode"},
    };
    for (const auto& args : rows) {
        const auto r = Cli(args);
        EXPECT_EQ(r.exitCode, 2) << args[0] << " " << args[1];
        EXPECT_NE(r.err.find("orvane-cli: "), std::string::npos);
    }
    EXPECT_TRUE(sim->Traffic().empty());
}

}  // namespace
}  // namespace orvane::test
