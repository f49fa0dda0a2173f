// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "tests/e2e/CliHarness.h"

namespace orvane::test {
namespace {

using CliModeTest = CliSimTest;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(CliModeTest, SwitchesThroughEveryModeAndReportsEach) {
    StartSim();
    const struct { Args args; const char* mode; } steps[] = {
        {{"mode"}, "System"},           {{"switch", "Komendy"}, "Komendy"}, {{"switch", "bootloader"}, "BootLoader"},
        {{"switch", "System"}, "System"}, {{"switch", "Program"}, "Program"}, {{"switch", "System"}, "System"},
    };
    for (const auto& step : steps) {
        const auto r = Cli(step.args);
        EXPECT_EQ(r.exitCode, 0) << step.args[0] << "\n" << r.err;
        EXPECT_EQ(Cli({"mode"}).out, std::string(step.mode) + "\n");
        EXPECT_TRUE(Has(r.err, std::string(" Tryb: ") + step.mode)) << r.err;
    }
    EXPECT_EQ(Heard(0xFD), 1);
    const auto version = Cli({"version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "1.3\n");
    EXPECT_TRUE(Has(version.err, "Wersja Systemu: System znajdujący się w urządzeniu jest w wersji: 1.3"));
}

// The stored speed is the default 115200; the controller listens at 9600 in Komendy mode.
TEST_F(CliModeTest, IdentifyFindsAnUnknownSpeedAndRunTakesTheControllerOnFromTheBootLoader) {
    StartSim({"--baud", "9600"});
    ASSERT_EQ(Cli({"--baud", "9600", "switch", "Komendy"}).exitCode, 0);
    EXPECT_EQ(Cli({"identify"}).out, "9600 Komendy\n");
    const auto run = Cli({"--baud", "9600", "run", File("r.orv", "Var: a;\na = 2;\n")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "a = 2.00\n");
}

TEST_F(CliModeTest, DeviceParametersAreReadAndWritten) {
    StartSim({"--params", "0xFF,0x00"});
    EXPECT_EQ(Cli({"params"}).out, "Uruchamiaj pragram użytkownika na starcie: nie\nRozpocznij pracę od trybu Komendy: nie\n");
    const auto set = Cli({"params", "--set", "1", "1"});
    EXPECT_EQ(set.exitCode, 0) << set.err;
    EXPECT_TRUE(Has(set.err, "INFO: Program użytkownika będzie uruchamiany na starcie tylko wtedy"));
    EXPECT_EQ(Cli({"params"}).out, "Uruchamiaj pragram użytkownika na starcie: tak\nRozpocznij pracę od trybu Komendy: tak\n");
}

TEST_F(CliModeTest, ASilentControllerGivesTheBoxesWithinTheirWaits) {
    StartSim({"--fault", "silent"});
    const auto mode = Cli({"mode"});
    EXPECT_EQ(mode.exitCode, 1);
    EXPECT_EQ(mode.out, "Nieznany\n");
    const auto boot = Cli({"switch", "BootLoader"});
    EXPECT_EQ(boot.exitCode, 1);
    EXPECT_TRUE(Has(boot.err, "Błąd (OTB1): Błąd przejścia do trybu BootLoader!")) << boot.err;
    EXPECT_LT(boot.elapsedMs, 6000);  // two queries of at most 2 s each
    const auto version = Cli({"version"});
    EXPECT_EQ(version.exitCode, 1);
    EXPECT_TRUE(Has(version.err, "polecenie version jest niedostępne w trybie Nieznany"));
}

}  // namespace
}  // namespace orvane::test
