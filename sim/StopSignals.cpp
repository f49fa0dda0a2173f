#include "sim/StopSignals.h"

#include <csignal>
#include <cstring>
#include <sys/signalfd.h>
#include <unistd.h>

namespace orvane::sim {

StopSignals::StopSignals() {
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    if (sigprocmask(SIG_BLOCK, &set, nullptr) == 0) fd_ = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

StopSignals::~StopSignals() {
    if (fd_ >= 0) ::close(fd_);
}

const char* StopSignals::Take() {
    signalfd_siginfo info{};
    if (fd_ < 0 || ::read(fd_, &info, sizeof info) != static_cast<ssize_t>(sizeof info)) return "";
    return sigabbrev_np(static_cast<int>(info.ssi_signo));
}

}  // namespace orvane::sim
