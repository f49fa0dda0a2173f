// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RunEventLoop.h"

#include <csignal>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace orvane::cli {

namespace {

// The self-pipe that turns SIGINT into something poll can wait for.
int gInterruptPipe[2] = {-1, -1};
volatile std::sig_atomic_t gInterrupted = 0;
struct sigaction gOldAction {};

void OnInterrupt(int) {
    gInterrupted = 1;
    const char byte = 1;
    const int saved = errno;
    [[maybe_unused]] const ssize_t n = ::write(gInterruptPipe[1], &byte, 1);
    errno = saved;
}

timespec Span(std::int64_t us) {
    if (us < 0) us = 0;
    return timespec{static_cast<time_t>(us / 1'000'000), static_cast<long>(us % 1'000'000) * 1000};
}

}  // namespace

RunEventLoop::RunEventLoop(std::FILE* in) : in_(in) {
    // Unbuffered, so that poll sees every line still to be read (the boxes read the same stream).
    if (in_) std::setvbuf(in_, nullptr, _IONBF, 0);
    gInterrupted = 0;
    if (::pipe2(gInterruptPipe, O_NONBLOCK | O_CLOEXEC) != 0) gInterruptPipe[0] = gInterruptPipe[1] = -1;
    struct sigaction action {};
    action.sa_handler = &OnInterrupt;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: a second Ctrl+C finds the default action again and ends the program.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    ::sigaction(SIGINT, &action, &gOldAction);
    // A 1 ms tick is 1 ms: the default timer slack would add a twentieth to every sleep.
    oldSlack_ = ::prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
}

RunEventLoop::~RunEventLoop() {
    ::sigaction(SIGINT, &gOldAction, nullptr);
    if (oldSlack_ > 0) ::prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(oldSlack_), 0, 0, 0);
    for (int& fd : gInterruptPipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

std::int64_t RunEventLoop::NowUs() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

RunEventLoop::Event RunEventLoop::Wait(bool readInput, const std::function<void(int id)>& handler,
                                       std::string& line) {
    for (;;) {
        if (gInterrupted && !interruptReported_) {
            interruptReported_ = true;
            return Event::Interrupt;
        }
        const auto due = timers_.NextDueUs();
        const std::int64_t now = NowUs();
        if (due && *due <= now) {
            timers_.FireDue(handler);
            return Event::Timers;
        }
        pollfd fds[2] = {{gInterruptPipe[0], POLLIN, 0}, {readInput && in_ ? ::fileno(in_) : -1, POLLIN, 0}};
        const timespec span = Span(due ? *due - now : 0);
        const int ready = ::ppoll(fds, 2, due ? &span : nullptr, nullptr);
        if (ready < 0 && errno != EINTR) return Event::EndOfInput;  // nothing left to wait on
        if (ready <= 0) continue;
        if (fds[0].revents & POLLIN) {
            char drained[16];
            while (::read(gInterruptPipe[0], drained, sizeof drained) > 0) {
            }
            continue;
        }
        if (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) {
            return ReadLine(line) ? Event::Line : Event::EndOfInput;
        }
    }
}

bool RunEventLoop::ReadLine(std::string& line) {
    line.clear();
    for (;;) {
        const int c = std::fgetc(in_);
        if (c == EOF) return !line.empty();
        if (c == '\n') return true;
        line.push_back(static_cast<char>(c));
    }
}

}  // namespace orvane::cli
