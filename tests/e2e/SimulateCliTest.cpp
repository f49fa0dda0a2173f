// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "core/platform/AtomicFile.h"
#include "tests/support/CliProcess.h"
#include "tests/support/RowName.h"

namespace orvane::test {
namespace {

struct SimulateRow {
    const char* name;
    const char* example;  // a shipped example, or empty for `script`
    const char* script;
    std::vector<std::string> options;
    int exitCode;
    const char* out;      // the trace, whole milliseconds only, and the variables
    const char* err;      // a piece standard error must hold
    int minimumMs = 0;    // without --ms the program keeps the board's own time
};

class SimulateCli : public ::testing::TestWithParam<SimulateRow> {};

// The compile runs beside the script, so each one is copied into the CLI's private home.
TEST_P(SimulateCli, PrintsTheVariablesTheCompiledProgramLeaves) {
    const SimulateRow& row = GetParam();
    CliProcess cli(ORVANE_CLI_BIN);
    const std::string script = cli.Home() + "/script.orv";
    if (*row.example)
        std::filesystem::copy_file(std::string(ORVANE_DATA_DIR "/examples/") + row.example, script);
    else
        ASSERT_TRUE(platform::AtomicFile::Write(script, row.script));
    std::vector<std::string> args{"--commands", ORVANE_DATA_DIR "/Komendy.ini", "simulate", script};
    args.insert(args.end(), row.options.begin(), row.options.end());
    const auto r = cli.Run(args, {}, 20000);
    EXPECT_EQ(r.exitCode, row.exitCode) << r.err;
    // Times depend on the instructions the compiler writes: the trace is held to the millisecond.
    EXPECT_EQ(std::regex_replace(r.out, std::regex(R"(^(\d+)\.\d{3} ms)", std::regex::multiline), "$1 ms"), row.out);
    EXPECT_NE(r.err.find(row.err), std::string::npos) << r.err;
    EXPECT_GE(r.elapsedMs, row.minimumMs);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, SimulateCli,
    ::testing::Values(
        SimulateRow{"SweepTraced", "serwo_przemiatanie.orv", "", {"--trace", "--ms", "1000"}, 0,
                    "0 ms ServoS(1, 0, 0, 0, 1000)\n0 ms WaitS(20)\n20 ms ServoS(1, 0, 0, 0, 1250)\n20 ms WaitS(20)\n"
                    "40 ms ServoS(1, 0, 0, 0, 1500)\n40 ms WaitS(20)\n60 ms ServoS(1, 0, 0, 0, 1750)\n60 ms WaitS(20)\n"
                    "80 ms ServoS(1, 0, 0, 0, 2000)\n80 ms WaitS(20)\n100 ms ServoS(1, 0, 0, 0, 1500)\n"
                    "krok = 250.00\npoz = 2250.00\n",
                    ""},
        SimulateRow{"SweepInTheBoardsTime", "serwo_przemiatanie.orv", "", {}, 0, "krok = 250.00\npoz = 2250.00\n", "", 100},
        SimulateRow{"Decision", "decyzja.orv", "", {"--ms", "100"}, 0, "licznik = 4.00\nodczyt = 2000.00\n", ""},
        SimulateRow{"Subroutines", "podprogram.orv", "", {"--ms", "100"}, 0, "wynik = 1800.00\npozycja = 1800.00\nserwo = 3.00\n", ""},
        SimulateRow{"EveryKindOfStatement", "przeglad.orv", "", {"--ms", "100"}, 0, "odczyt = 0.00\ni = 3.00\nb = 7.00\na = 2.00\n", ""},
        // The compiled program cannot take variables out of its memory: they stay, cleared.
        SimulateRow{"RemovedVariablesStay", "na_pc/usuwanie.orv", "", {"--ms", "100"}, 0,
                    "koniec = 1.00\ntymczasowa = 0.00\nb = 0.00\na = 0.00\n", ""},
        SimulateRow{"EndlessStopsAtTheLimit", "", "Var: n;\nPetla:\nn = n + 1;\nWait(10);\nGoTo(Petla);\n", {"--ms", "105"},
                    0, "n = 11.00\n", ""},
        SimulateRow{"FaultNamesItself", "", "Var: a;\nRuch:\na = 2;\nServoSet(17, 0, 0, 0, 1500);\n", {}, 1, "a = 2.00\n",
                    "numer serwa 17 poza zakresem 1..16 (ServoS) pod adresem 0x"},
        SimulateRow{"UndefinedCommand", "", "Foo(1);\n", {}, 1, "", "Komenda niezdefiniowana"}),
    RowName<&SimulateRow::name>{});

}  // namespace
}  // namespace orvane::test
