// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <thread>

#include "tests/e2e/CliHarness.h"

namespace orvane::test {
namespace {

// The firmware calls the traffic log holds, each as "N ms Routine(arguments)", whole ms.
std::vector<std::string> ProgramCalls(const std::string& log) {
    std::vector<std::string> calls;
    static const std::regex kCall(R"(-- program (\d+)\.\d{3} ms (.*))");
    for (std::sregex_iterator it(log.begin(), log.end(), kCall), end; it != end; ++it)
        calls.push_back((*it)[1].str() + " ms " + (*it)[2].str());
    return calls;
}

// A sweep compiled and written into the virtual controller runs there in Program mode, in the
// controller's own time, and the traffic log shows each servo move with its simulated time.
TEST_F(CliSimTest, FlashedSweepRunsInProgramMode) {
    const auto compiled = cli.Run({"--commands", ORVANE_DATA_DIR "/Komendy.ini", "compile",
                                   File("sim-flash.orv", "Var: p;\np = 1000;\n"
                                                         "while (p <= 1500) { ServoSet(2, 0, 0, 0, p); Wait(30); p = p + 250; }\n")});
    ASSERT_EQ(compiled.exitCode, 0) << compiled.err;
    StartSim();
    const auto switched = Cli({"switch", "Program"});
    ASSERT_EQ(switched.exitCode, 0) << switched.err;
    for (int i = 0; i < 300 && sim->Log().find("program: koniec") == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    sim->Stop();
    EXPECT_EQ(ProgramCalls(sim->Log()),
              (std::vector<std::string>{"0 ms ServoS(2, 0, 0, 0, 1000)", "0 ms WaitS(30)", "30 ms ServoS(2, 0, 0, 0, 1250)",
                                        "30 ms WaitS(30)", "60 ms ServoS(2, 0, 0, 0, 1500)", "60 ms WaitS(30)"}))
        << sim->Log();
}

}  // namespace
}  // namespace orvane::test
