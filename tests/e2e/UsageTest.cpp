// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/e2e/CliHarness.h"
#include "tests/support/RowName.h"

namespace orvane::test {
namespace {

// What a run left in its home, beside the captured standard streams.
std::set<std::string> FilesIn(const std::string& home) {
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(home)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("std", 0) != 0) files.insert(entry.path().string());
    }
    return files;
}

struct UsageRow {
    const char* name;
    Args args;             // "@name" stands for a file in the run's home
    int exitCode;
    const char* expected;  // on standard error (standard output for a successful run)
};

// orvane-cli's own command line: a call it cannot understand ends with exit code 2 and the
// reason, and writes nothing (no settings, no file) and sends nothing to the controller.
class CliUsageTest : public CliSimTest, public ::testing::WithParamInterface<UsageRow> {};

TEST_P(CliUsageTest, EndsWithItsCodeAndTouchesNothing) {
    const UsageRow& row = GetParam();
    StartSim();
    File("s.orv", "ServoSet(1,0,0,0,1500);");
    const auto before = FilesIn(cli.Home());
    Args args;
    for (const auto& a : row.args) args.push_back(a[0] == '@' ? Path(a.substr(1)) : a);
    const auto r = Cli(args);
    EXPECT_EQ(r.exitCode, row.exitCode) << r.err;
    EXPECT_NE((row.exitCode == 0 ? r.out : r.err).find(row.expected), std::string::npos) << r.out << r.err;
    EXPECT_EQ(FilesIn(cli.Home()), before);
    EXPECT_EQ(sim->WaitHeard(1, 100), 0u) << "sent to the controller";
}

// A new command is one row here (its usage errors) and its options in its synopsis.
INSTANTIATE_TEST_SUITE_P(
    Rows, CliUsageTest,
    ::testing::Values(
        UsageRow{"NoCommand", {}, 2, "brak polecenia"},
        UsageRow{"UnknownCommand", {"flash"}, 2, "nieznane polecenie flash"},
        UsageRow{"UnknownOptionBeforeTheCommand", {"--force", "mode"}, 2, "nieznana opcja --force"},
        UsageRow{"UnknownOptionAfterTheArguments", {"read", "program", "@out.hex", "--force"}, 2,
                 "nieznana opcja --force"},
        UsageRow{"UnknownOptionInPlaceOfTheFile", {"read", "program", "--out"}, 2, "nieznana opcja --out"},
        UsageRow{"AnotherCommandsOption", {"mode", "--step"}, 2, "nieznana opcja --step"},
        UsageRow{"OptionInPlaceOfTheScript", {"compile", "--trace"}, 2, "nieznana opcja --trace"},
        UsageRow{"OptionWithoutItsValue", {"mode", "--baud"}, 2, "brak wartości opcji --baud"},
        UsageRow{"SpeedOffTheList", {"--baud", "1200", "mode"}, 2, "nieznana prędkość 1200"},
        UsageRow{"PortComZero", {"--port", "COM0", "mode"}, 2, "numer portu COM musi"},
        UsageRow{"SettingWithoutEquals", {"--setting", "COM", "mode"}, 2, "KLUCZ=WARTOŚĆ"},
        UsageRow{"SettingWithoutKey", {"--setting", "=2", "mode"}, 2, "KLUCZ=WARTOŚĆ"},
        UsageRow{"YesAndNo", {"--yes", "mode", "--no"}, 2, "wykluczają się"},
        UsageRow{"TooManyArguments", {"mode", "now"}, 2, "użycie: orvane-cli mode"},
        UsageRow{"TooFewArguments", {"write", "program"}, 2, "użycie: orvane-cli write"},
        UsageRow{"UnknownArea", {"erase", "eeprom"}, 2, "nieznany obszar eeprom"},
        UsageRow{"UnknownAreaBeforeTheFile", {"read", "eeprom", "@out.hex"}, 2, "nieznany obszar eeprom"},
        UsageRow{"ParamsFlagOutsideZeroAndOne", {"params", "--set", "2", "0"}, 2, "params przyjmuje"},
        UsageRow{"ParamsWithoutSet", {"params", "1", "0"}, 2, "params przyjmuje"},
        UsageRow{"RunWithoutScript", {"run", "--step"}, 2, "brak pliku skryptu"},
        UsageRow{"RunTwoScripts", {"run", "@s.orv", "@s.orv"}, 2, "nadmiarowy argument"},
        UsageRow{"CompileTwoScripts", {"compile", "@s.orv", "@s.orv"}, 2, "nadmiarowy argument"},
        UsageRow{"SimulateLimitWithoutNumber", {"simulate", "@s.orv", "--ms", "x"}, 2, "--ms wymaga liczby"},
        UsageRow{"HelpAloneIsAnAnswer", {"--help"}, 0, "Kod wyjścia: 0 powodzenie"},
        UsageRow{"HelpWinsOverTheCommand", {"erase", "-h"}, 0, "Polecenia:"}),
    RowName<&UsageRow::name>{});

// orvane-sim's own line (its options are parsed in the sim tests): help on standard output and
// code 0; a call it cannot understand, or a start it cannot make, code 2 and the reason before any
// terminal is opened (no device path printed) or file written.
TEST(SimUsageTest, EndsWithItsCodeBeforeOpeningAnything) {
    const CliProcess sim{ORVANE_SIM_BIN};
    const auto help = sim.Run({"--help"}, {}, 10000);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Użycie: orvane-sim"), std::string::npos);
    const std::pair<Args, const char*> rows[] = {{{"--port", "x"}, "nieznana opcja: --port"},
                                                 {{"--commands", "/nonexistent/K.ini"}, "nie można odczytać definicji"}};
    for (const auto& [args, expected] : rows) {
        Args all{"--flash", sim.Home() + "/flash.hex", "--log", sim.Home() + "/log.txt"};
        all.insert(all.end(), args.begin(), args.end());
        const auto r = sim.Run(all, {}, 10000);
        EXPECT_EQ(r.exitCode, 2) << expected;
        EXPECT_EQ(r.out, "") << expected;
        EXPECT_NE(r.err.find(expected), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(sim.Home() + "/flash.hex")) << expected;
    }
}

}  // namespace
}  // namespace orvane::test
