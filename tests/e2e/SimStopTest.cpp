// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace orvane::test {
namespace {

// Before its line is up the simulator holds nothing worth saving, so a stop signal must end it
// at once whatever it is doing: here it is stuck opening a traffic log that is a FIFO nobody
// reads, as it could be stuck in a huge file. It is started as a shell starts a background
// job, with SIGINT ignored.
TEST(SimStopTest, AStopSignalEndsTheSimulatorWhileItIsStillStarting) {
    for (const int sig : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(sigabbrev_np(sig));
        TempDir dir;
        const std::string fifo = dir / "log";
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            std::signal(SIGINT, SIG_IGN);
            ::execl(ORVANE_SIM_BIN, ORVANE_SIM_BIN, "--log", fifo.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        int status = 0;
        EXPECT_FALSE(WaitChild(pid, 300, status)) << "it ended before the signal";
        ::kill(pid, sig);
        const bool ended = WaitChild(pid, 2000, status);
        if (!ended) {
            ::kill(pid, SIGKILL);
            WaitChild(pid, 2000, status);
        }
        EXPECT_TRUE(ended) << "still running 2 s after the signal";
        EXPECT_EQ(ExitCodeOf(status), 128 + sig);
    }
}

}  // namespace
}  // namespace orvane::test
