// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/PosixSerialPort.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "core/device/PosixSpeed.h"

namespace orvane::device {

namespace {
// The user reads these in the status line and in boxes: the system's words, not the C library's
// English.
std::string OpenRefusal(const std::string& path, int code) {
    switch (code) {
        case ENOENT:
        case ENODEV:
        case ENXIO: return path + ": nie ma takiego portu.";
        case EACCES:
        case EPERM: return path + ": brak uprawnień do portu (użytkownik musi należeć do grupy dialout).";
        case EBUSY: return path + ": port jest zajęty.";
        case EWOULDBLOCK: return path + ": port jest używany przez inny program.";
        case ENOTTY: return path + ": to urządzenie nie jest portem szeregowym.";
        default: return path + ": błąd systemu nr " + std::to_string(code) + ".";
    }
}

std::string Reason(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

// The user reads this in a box: the system's words, not the C library's English.
std::string SpeedRefusal(int code) {
    switch (code) {
        case EIO:
        case ENXIO:
        case ENODEV: return "Urządzenie portu zostało odłączone.";
        case EBADF: return "Port jest zamknięty.";
        case ENOTTY: return "To urządzenie nie jest portem szeregowym.";
        case EINVAL: return "Port nie obsługuje tej prędkości.";
        default: return "Błąd systemu nr " + std::to_string(code) + ".";
    }
}
constexpr int kWriteStallMs = 2000;  // longest wait for room in the output queue
}  // namespace

std::unique_ptr<PosixSerialPort> PosixSerialPort::Open(const std::string& path, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = OpenRefusal(path, errno);
        return nullptr;
    }
    // No sharing: a second program (or a second ORVANE) must not talk to the controller at once.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = OpenRefusal(path, errno);
        ::close(fd);
        return nullptr;
    }
    if (!::isatty(fd)) {
        error = OpenRefusal(path, ENOTTY);
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<PosixSerialPort>(new PosixSerialPort(fd));
}

PosixSerialPort::~PosixSerialPort() { ::close(fd_); }

void PosixSerialPort::MarkFailed() { failed_ = true; }

int PosixSerialPort::BytesWaiting() {
    if (failed_) return -1;
    int waiting = 0;
    if (::ioctl(fd_, FIONREAD, &waiting) != 0) {
        MarkFailed();
        return -1;
    }
    return waiting;
}

int PosixSerialPort::Read(std::uint8_t* buffer, int max) {
    if (failed_) return -1;
    if (max <= 0) return 0;
    const ssize_t n = ::read(fd_, buffer, static_cast<std::size_t>(max));
    if (n >= 0) return static_cast<int>(n);
    if (errno == EAGAIN || errno == EINTR) return 0;
    MarkFailed();
    return -1;
}

bool PosixSerialPort::Write(const std::uint8_t* buffer, int count) {
    int done = 0;
    while (!failed_ && done < count) {
        const ssize_t n = ::write(fd_, buffer + done, static_cast<std::size_t>(count - done));
        if (n > 0) {
            done += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            MarkFailed();
            break;
        }
        pollfd pfd{fd_, POLLOUT, 0};
        if (::poll(&pfd, 1, kWriteStallMs) <= 0 || (pfd.revents & (POLLERR | POLLHUP))) {
            MarkFailed();
            break;
        }
    }
    return done == count;
}

bool PosixSerialPort::WaitReadable(std::int64_t timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!failed_) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0) return false;
        pollfd pfd{fd_, POLLIN, 0};
        const int r = ::poll(&pfd, 1, static_cast<int>(left));
        if (r < 0 && errno == EINTR) continue;
        if (r == 0) return false;
        const int waiting = BytesWaiting();
        if (waiting > 0) return true;
        if (waiting < 0 || r < 0 || (pfd.revents & (POLLHUP | POLLERR | POLLNVAL))) {
            MarkFailed();  // the other end is gone: from now on only sleep
            break;
        }
        // Readable without a byte (a line condition): pause so the loop cannot spin.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::this_thread::sleep_until(deadline);
    return false;
}

bool PosixSerialPort::ApplyLineSettings(int baud, std::string& error) {
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) {
        error = Reason("tcgetattr");
        return false;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | IGNBRK | BRKINT | PARMRK | INPCK);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    tio.c_cc[VSTART] = 0x11;
    tio.c_cc[VSTOP] = 0x13;
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0) {
        error = Reason("tcsetattr");
        return false;
    }
    SetDtr(false);
    if (!PosixSetSpeed(fd_, baud)) {
        error = Reason("baud rate");
        return false;
    }
    return true;
}

bool PosixSerialPort::SetBaud(int baud, std::string& error) {
    if (baud <= 0 || !PosixSetSpeed(fd_, baud)) {
        error = "Port nie przyjął prędkości " + std::to_string(baud) + " b/s.\n" +
                SpeedRefusal(errno != 0 ? errno : EINVAL);
        return false;
    }
    return true;
}

void PosixSerialPort::SetDtr(bool active) {
    // Pseudo-terminals have no modem lines; the request is simply refused there.
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (active) lines = TIOCM_DTR;
    ::ioctl(fd_, active ? TIOCMBIS : TIOCMBIC, &lines);
}

// A request written just before a close (the speed change the RS232 dialog sends right before
// closing its port) must still reach the controller: the bytes are let out first and only input
// is thrown away. Flushing the output of a pseudo-terminal would discard what the controller on
// the other side has not read yet.
void PosixSerialPort::Purge() {
    if (!failed_) ::tcdrain(fd_);
    ::tcflush(fd_, TCIFLUSH);
}

}  // namespace orvane::device
