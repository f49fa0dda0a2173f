// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/PosixSerialPort.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include "core/device/PosixSpeed.h"

namespace orvane::device {
namespace {

// A pseudo-terminal pair; the test plays the controller on the master side. Data flow and a
// vanished device are covered end to end against the virtual controller.
struct Pty {
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0) slavePath = ::ptsname(master);
    }
    ~Pty() { ::close(master); }
    int master = -1;
    std::string slavePath;
};

TEST(PosixSerialPortTest, LineSettingsAreAppliedToTheDevice) {
    Pty pty;
    ASSERT_FALSE(pty.slavePath.empty());
    std::string error;
    auto port = PosixSerialPort::Open(pty.slavePath, error);
    ASSERT_TRUE(port) << error;
    ASSERT_TRUE(port->ApplyLineSettings(19200, error)) << error;

    const int probe = ::open(pty.slavePath.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(probe, 0);
    termios tio{};
    ASSERT_EQ(::tcgetattr(probe, &tio), 0);
    EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS | CLOCAL | CREAD), static_cast<tcflag_t>(CS8 | CLOCAL | CREAD));
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(tio.c_cc[VMIN] + tio.c_cc[VTIME], 0);
    EXPECT_EQ(PosixGetSpeed(probe), 19200);
    // Every rate of the controller, the two non-standard ones included.
    for (const int rate : {4800, 14400, 28800, 115200, 230400}) {
        ASSERT_TRUE(port->SetBaud(rate, error)) << rate << ": " << error;
        EXPECT_EQ(PosixGetSpeed(probe), rate);
        EXPECT_EQ(PosixGetSpeed(pty.master), rate) << "the master sees the line speed too";
    }
    EXPECT_FALSE(port->SetBaud(0, error));
    EXPECT_FALSE(error.empty());
    ::close(probe);
}

// Each refusal names the port and says why, in the words the status line and the boxes show.
TEST(PosixSerialPortTest, RefusalsNameThePortAndTheReason) {
    std::string error;
    EXPECT_FALSE(PosixSerialPort::Open("/dev/orvane-no-such-port", error));
    EXPECT_EQ(error, "/dev/orvane-no-such-port: nie ma takiego portu.");

    char file[] = "/tmp/orvane-not-a-port-XXXXXX";
    const int fd = ::mkstemp(file);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(PosixSerialPort::Open(file, error));
    EXPECT_EQ(error, std::string(file) + ": to urządzenie nie jest portem szeregowym.");
    ::close(fd);
    ::unlink(file);

    Pty pty;
    ASSERT_FALSE(pty.slavePath.empty());
    auto first = PosixSerialPort::Open(pty.slavePath, error);
    ASSERT_TRUE(first) << error;
    EXPECT_FALSE(PosixSerialPort::Open(pty.slavePath, error)) << "a second user of one port";
    EXPECT_EQ(error, pty.slavePath + ": port jest używany przez inny program.");
    first.reset();
    EXPECT_TRUE(PosixSerialPort::Open(pty.slavePath, error)) << "free again once closed: " << error;
}

}  // namespace
}  // namespace orvane::device
