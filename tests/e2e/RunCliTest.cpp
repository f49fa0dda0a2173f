// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "tests/e2e/CliHarness.h"
#include "tests/support/RowName.h"
#include "tests/support/ServoTraffic.h"

namespace orvane::test {
namespace {

const std::string kCommands = ORVANE_DATA_DIR "/Komendy.ini";
const std::string kExamples = ORVANE_DATA_DIR "/examples/";

// A command frame with its checksum echo, the confirmation and the acknowledgement (and result).
Traffic Command(std::vector<std::uint8_t> frame, std::vector<std::uint8_t> result = {}) {
    unsigned sum = 0;
    for (const auto b : frame) sum += b;
    std::vector<std::uint8_t> ack{0x01};
    ack.insert(ack.end(), result.begin(), result.end());
    return Exchange(frame, {static_cast<std::uint8_t>(sum)}) + Exchange({0x01}, ack);
}
Traffic ServoSet(std::uint8_t servo, int us) {
    return Command({'S', servo, 0, 0, 0, static_cast<std::uint8_t>(us >> 8), static_cast<std::uint8_t>(us)});
}

// The CLI's own mode query, the run's query, then the switch to commands mode; at the end the
// query in commands mode and the way back to System.
const Traffic kStart = Exchange({0x00}, {0xFF}) + Exchange({0x00}, {0xFF}) + Exchange({0x00}, {0xFF}) +
                       Exchange({0xFE}, {0xFE});
const Traffic kEnd = Exchange({0x00}, {0xFE}) + Exchange({0xFF}, {0xFF});

class RunCliTest : public CliSimTest {
protected:
    RunCliTest() { StartSim({"--commands", kCommands}); }
    CliProcess::Result Run(const std::string& script, Args extra = {},
                           const CliProcess::Interaction& in = {}) {
        Args args{"--commands", kCommands, "run", script};
        args.insert(args.end(), extra.begin(), extra.end());
        return Cli(args, in);
    }
    Traffic StopSim() {
        sim->Stop();
        return sim->Traffic();
    }
};

struct ExampleRow {
    const char* file;
    Args options;
    const char* out;       // the trace (with --trace) and the variables printed at the end
    Traffic commands;      // every command exchange of the run, in order
    int minimumMs = 0;     // the script's Waits together
};

void PrintTo(const ExampleRow& row, std::ostream* os) { *os << row.file; }

class RunExampleTest : public RunCliTest, public ::testing::WithParamInterface<ExampleRow> {};

TEST_P(RunExampleTest, RunsAgainstTheVirtualControllerWireForWire) {
    const ExampleRow& row = GetParam();
    const auto r = Run(kExamples + row.file, row.options);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, row.out);
    EXPECT_GE(r.elapsedMs, row.minimumMs);
    EXPECT_EQ(StopSim(), kStart + row.commands + kEnd);
}

Traffic Sweep() {
    Traffic t;
    for (int us = 1000; us <= 2000; us += 250) t = t + ServoSet(1, us);
    return t + ServoSet(1, 1500);
}
const Traffic kSubroutine = ServoSet(2, 1200) + ServoRead(2, 1200) + ServoSet(3, 1800) + ServoRead(3, 1800);

INSTANTIATE_TEST_SUITE_P(Examples, RunExampleTest, ::testing::Values(
    ExampleRow{"serwo_przemiatanie.orv", {}, "krok = 250.00\npoz = 2250.00\n", Sweep(), 5 * 20},
    ExampleRow{"podprogram.orv", {"--trace"},
               "4: Var: serwo, pozycja, wynik;\n5: serwo = 2;\n6: pozycja = 1200;\n7: Call(Ustaw);\n"
               "14: ServoSet(serwo, 0, 0, 0, pozycja);\n15: wynik = ServoRead(serwo);\n16: Return();\n"
               "8: serwo = 3;\n9: pozycja = 1800;\n10: Run(Ustaw);\n"
               "14: ServoSet(serwo, 0, 0, 0, pozycja);\n15: wynik = ServoRead(serwo);\n16: Return();\n"
               "11: Exit();\nwynik = 1800.00\npozycja = 1800.00\nserwo = 3.00\n",
               kSubroutine},
    ExampleRow{"na_pc/usuwanie.orv", {}, "koniec = 1.00\n", {}}), RowName<&ExampleRow::file>{});

// Krok at the terminal: each Enter carries out one statement, the end of input stops the run.
TEST_F(RunCliTest, EnterCarriesOutOneStatementAndTheEndOfInputStops) {
    const auto r = Run(kExamples + "podprogram.orv", {"--step"}, {"\n\n\n", ""});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "> 4: Var: serwo, pozycja, wynik;\n> 5: serwo = 2;\n> 6: pozycja = 1200;\n"
              "> 7: Call(Ustaw);\nwynik = 0.00\npozycja = 1200.00\nserwo = 2.00\n");
    EXPECT_EQ(StopSim(), kStart + kEnd);  // nothing was sent in between
}

// Servo 1 rests at 1500 us, read in degrees as (1500 - 1000) * 9 / 50 = 90; 72 degrees scale to
// 72 * 50 / 9 + 1000 = 1400 = 0x0578. The command inside the argument is sent once; and the state
// check, due every second, asks nothing while the run waits.
TEST_F(RunCliTest, CommandsInsideArgumentsAreSentOnceAndScaledByteForByte) {
    const auto r = Run(File("w.orv", "Var: w;\nServoSetS(3, 0, 0, 0, ServoReadS(1) - 18);\nw = ServoRead(3);\n"
                                     "Wait(1500);\nServoSetS(2, 0, 0, 0, 90);\n"),
                       {"--setting", "Sprawdzaj odpowiada co=1"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "w = 1400.00\n");
    EXPECT_EQ(StopSim(), kStart + Command({'r', 1}, {0x05, 0xDC}) + Command({'s', 3, 0, 0, 0, 0x05, 0x78}) +
                             ServoRead(3, 1400) + Command({'s', 2, 0, 0, 0, 0x05, 0xDC}) + kEnd);
}

// Ctrl+C is Stop: the endless loop ends and the controller goes back to System mode.
TEST_F(RunCliTest, CtrlCStopsTheRunAndBringsTheControllerBackToSystem) {
    const std::string script = File("bez_konca.orv", "Var: n;\nwhile (1) { n = n + 1; ServoSet(1, 0, 0, 0, 1500); }\n");
    const auto r = Run(script, {"--trace"}, {"", "ServoSet"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("przerwano (Ctrl+C)"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("\nn = "), std::string::npos) << "the variables are printed: " << r.out;
    const Traffic traffic = StopSim();
    ASSERT_GE(traffic.size(), kEnd.size());
    EXPECT_EQ(Traffic(traffic.end() - static_cast<std::ptrdiff_t>(kEnd.size()), traffic.end()), kEnd);
}

struct LostLinkRow {
    const char* name;
    std::string fault;
    std::int64_t maxMs;  // a silent line waits out each reply and the way back
    const char* wayBack;
};

class RunLostLinkTest : public CliSimTest, public ::testing::WithParamInterface<LostLinkRow> {};

// A controller lost in the middle of an endless run (the line hung up, no answer any more, or a
// brown-out that restarts it in System mode): the failed command's box (answered No) ends the run
// as a failure in bounded time, the way back to System is told, and the variables are printed.
TEST_P(RunLostLinkTest, EndsTheRunAsAFailureInBoundedTime) {
    // The start's four requests, then three whole commands of eight bytes and half a frame.
    StartSim({"--commands", kCommands, "--fault", GetParam().fault + ":" + std::to_string(4 + 3 * 8 + 3)});
    const auto r = Cli({"--commands", kCommands, "--no", "run",
                        File("bez_konca.orv", "Var: n;\nwhile (1) { n = n + 1; ServoSet(1, 0, 0, 0, 1500); }\n")});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find("BŁĄD (WP2): Błąd wykonania komendy:  ServoSet(1,0,0,0,1500);"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(GetParam().wayBack), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "n = 4.00\n");
    EXPECT_LT(r.elapsedMs, GetParam().maxMs);
}

INSTANTIATE_TEST_SUITE_P(Rows, RunLostLinkTest,
                         ::testing::Values(LostLinkRow{"HangsUp", "hangup-after", 10000, "BŁĄD (OT1)"},
                                           LostLinkRow{"FallsSilent", "silent-after", 30000, "BŁĄD (OT1)"},
                                           LostLinkRow{"Restarts", "reset-after", 10000, "[nie]\n Tryb: System\n"}),
                         RowName<&LostLinkRow::name>{});

}  // namespace
}  // namespace orvane::test
