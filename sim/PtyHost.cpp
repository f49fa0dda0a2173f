// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/PtyHost.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include "core/device/PosixSpeed.h"

namespace orvane::sim {

namespace {

// Replies nobody reads are lost after this long, as a real line loses what a closed port misses.
constexpr std::int64_t kLineFullMs = 1000;
constexpr int kReadChunk = 256;
// How long the last replies wait for the PC before the hang-up fault closes the line.
constexpr std::int64_t kLingerMs = 1000;
constexpr int kLingerFirstMs = 20;
constexpr std::int64_t kProgramTickMs = 5;  // how often a running program gets its time

std::string Reason(const std::string& what) { return what + ": " + std::strerror(errno); }

}  // namespace

PtyHost::PtyHost(VirtualController& controller, TrafficLog& log)
    : controller_(controller), log_(log), start_(std::chrono::steady_clock::now()) {}

PtyHost::~PtyHost() {
    Close();
    if (!linkPath_.empty()) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(linkPath_.c_str(), target, sizeof target - 1);
        if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == slavePath_)
            ::unlink(linkPath_.c_str());
    }
}

std::int64_t PtyHost::Micros() const {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 start_)
        .count();
}

bool PtyHost::Open(int baud, std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0) return error = Reason("posix_openpt"), false;
    char name[PATH_MAX];
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, name, sizeof name) != 0)
        return error = Reason("pseudoterminal"), false;
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave_ < 0) return error = Reason(slavePath_), false;
    termios tio{};
    if (::tcgetattr(slave_, &tio) != 0) return error = Reason("tcgetattr"), false;
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    if (::tcsetattr(slave_, TCSANOW, &tio) != 0) return error = Reason("tcsetattr"), false;
    if (!device::PosixSetSpeed(slave_, baud)) return error = Reason("prędkość"), false;
    return true;
}

bool PtyHost::Link(const std::string& path, std::string& error) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            error = path + ": istnieje i nie jest dowiązaniem, nie zostanie zastąpione";
            return false;
        }
        ::unlink(path.c_str());
    }
    if (::symlink(slavePath_.c_str(), path.c_str()) != 0) return error = Reason(path), false;
    linkPath_ = path;
    return true;
}

void PtyHost::LingerUntilRead() {
    // The slave's input queue is shared by every descriptor of it, ours included: once it is
    // empty the PC has taken the last reply, which a hang-up would otherwise throw away. The
    // kernel moves written bytes into that queue a moment later, hence the short first pause.
    ::usleep(kLingerFirstMs * 1000);
    const std::int64_t until = Millis() + kLingerMs;
    int waiting = 0;
    while (Millis() < until && ::ioctl(slave_, FIONREAD, &waiting) == 0 && waiting > 0)
        ::usleep(2000);
}

void PtyHost::Close() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = master_ = -1;
}

PtyHost::End PtyHost::Run(int stopFd, std::string& why) {
    for (;;) {
        if (controller_.HangUpDue()) {
            CollectReplies();
            WritePending();
            LingerUntilRead();
            Close();
            why = "rozłączenie (hangup-after)";
            return End::HungUp;
        }
        pollfd fds[2] = {{master_, POLLIN, 0}, {stopFd, POLLIN, 0}};
        if (!unsent_.empty()) fds[0].events |= POLLOUT;
        const int r = ::poll(fds, stopFd >= 0 ? 2 : 1, PollTimeoutMs());
        if (r < 0 && errno != EINTR) return why = Reason("poll"), End::Failed;
        if (r > 0 && (fds[1].revents & POLLIN)) return End::Stopped;
        if (r > 0 && (fds[0].revents & POLLIN) && !ReadLine(why)) return End::Failed;
        controller_.Advance(Millis());
        for (const auto& note : controller_.TakeNotes()) log_.Note(Micros(), note);
        CollectReplies();
        WritePending();
    }
}

int PtyHost::PollTimeoutMs() const {
    std::int64_t wait = -1;
    if (const auto due = controller_.NextOutputMs()) wait = std::max<std::int64_t>(*due - Millis(), 0);
    if (!unsent_.empty()) {
        // Wake to try again soon and to give up once the line has been full too long.
        const std::int64_t retry = stuckSinceMs_ < 0 ? 0 : 10;
        wait = wait < 0 ? retry : std::min(wait, retry);
    }
    if (controller_.ProgramRunning()) wait = wait < 0 ? kProgramTickMs : std::min(wait, kProgramTickMs);
    return static_cast<int>(std::min<std::int64_t>(wait, INT_MAX));
}

bool PtyHost::ReadLine(std::string& why) {
    std::uint8_t buffer[kReadChunk];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return true;
    if (n <= 0) return why = Reason("odczyt z pseudoterminala"), false;
    const int pcBaud = device::PosixGetSpeed(master_);
    for (ssize_t i = 0; i < n && !controller_.HangUpDue(); ++i) {
        Hear(buffer[i], pcBaud);
        CollectReplies();
    }
    return true;
}

void PtyHost::Hear(std::uint8_t byte, int pcBaud) {
    const bool heard = controller_.Receive(byte, pcBaud, Millis());
    log_.Received(Micros(), byte, heard, pcBaud, controller_.Baud());
    for (const auto& note : controller_.TakeNotes()) log_.Note(Micros(), note);
}

void PtyHost::CollectReplies() {
    for (const OutByte& out : controller_.TakeOutput(Millis())) {
        if (out.fate == Fate::Dropped) log_.Sent(Micros(), out);
        else unsent_.push_back(out);
    }
}

void PtyHost::WritePending() {
    while (!unsent_.empty()) {
        std::uint8_t chunk[kReadChunk];
        const std::size_t count = std::min(unsent_.size(), sizeof chunk);
        for (std::size_t i = 0; i < count; ++i) chunk[i] = unsent_[i].byte;
        const ssize_t n = ::write(master_, chunk, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        for (ssize_t i = 0; i < n; ++i) {
            log_.Sent(Micros(), unsent_.front());
            unsent_.pop_front();
        }
        stuckSinceMs_ = -1;
    }
    if (unsent_.empty()) return;
    if (stuckSinceMs_ < 0) stuckSinceMs_ = Millis();
    if (Millis() - stuckSinceMs_ <= kLineFullMs) return;
    for (const OutByte& out : unsent_) log_.LineFull(Micros(), out.byte);
    unsent_.clear();
    stuckSinceMs_ = -1;
}

}  // namespace orvane::sim
