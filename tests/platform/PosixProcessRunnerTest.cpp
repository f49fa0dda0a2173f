// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/PosixProcessRunner.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orvane::platform {
namespace {

// What the compile starts: avra by its name from PATH, or a program by its path; the exit
// status, a signal's, or -1 for what cannot start. The arguments reach the program as they are.
TEST(PosixProcessRunner, ReportsHowTheProgramEnded) {
    struct Row {
        std::vector<std::string> argv;
        int expected;
    };
    const Row rows[] = {
        {{"sh", "-c", "exit 3"}, 3},
        {{"/bin/sh", "-c", "exit 4"}, 4},
        {{"sh", "-c", "test \"$1\" = 'a; b'", "sh", "a; b"}, 0},
        {{"sh", "-c", "kill -TERM $$"}, 128 + 15},
        {{"no-such-program-orvane"}, -1},
        {{"/no/such/program"}, -1},
        {{}, -1},
    };
    std::ostringstream report;
    PosixProcessRunner runner(report);
    for (const Row& row : rows) {
        EXPECT_EQ(runner.Run(row.argv), row.expected) << (row.argv.empty() ? "" : row.argv.back());
    }
}

}  // namespace
}  // namespace orvane::platform
