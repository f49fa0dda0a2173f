// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/StopSignals.h"

#include <csignal>
#include <initializer_list>
#include <cstring>
#include <sys/signalfd.h>
#include <unistd.h>

namespace orvane::sim {

namespace {

sigset_t StopSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

}  // namespace

StopSignals::StopSignals() {
    std::signal(SIGPIPE, SIG_IGN);
    // A shell starts background jobs with SIGINT ignored; the simulator must still stop.
    for (const int s : {SIGINT, SIGTERM, SIGHUP}) std::signal(s, SIG_DFL);
    const sigset_t set = StopSet();
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

StopSignals::~StopSignals() {
    if (fd_ >= 0) ::close(fd_);
}

void StopSignals::Catch() {
    const sigset_t set = StopSet();
    if (fd_ < 0 && sigprocmask(SIG_BLOCK, &set, nullptr) == 0)
        fd_ = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

const char* StopSignals::Take() {
    signalfd_siginfo info{};
    if (fd_ < 0 || ::read(fd_, &info, sizeof info) != static_cast<ssize_t>(sizeof info)) return "";
    return sigabbrev_np(static_cast<int>(info.ssi_signo));
}

}  // namespace orvane::sim
