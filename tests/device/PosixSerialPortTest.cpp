#include "core/device/PosixSerialPort.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include "core/device/PosixSpeed.h"

namespace orvane::device {
namespace {

// A pseudo-terminal pair; the test plays the controller on the master side.
class Pty {
public:
    Pty() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
            slavePath_ = ::ptsname(master_);
        }
    }
    ~Pty() { CloseMaster(); }
    void CloseMaster() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }
    int master() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }

private:
    int master_ = -1;
    std::string slavePath_;
};

std::int64_t ElapsedMs(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - since)
        .count();
}

TEST(PosixSerialPortTest, LineSettingsAreAppliedToTheDevice) {
    Pty pty;
    ASSERT_FALSE(pty.slavePath().empty());
    std::string error;
    auto port = PosixSerialPort::Open(pty.slavePath(), error);
    ASSERT_TRUE(port) << error;
    ASSERT_TRUE(port->ApplyLineSettings(19200, error)) << error;

    const int probe = ::open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(probe, 0);
    termios tio{};
    ASSERT_EQ(::tcgetattr(probe, &tio), 0);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
    EXPECT_NE(tio.c_cflag & CREAD, 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 0);
    EXPECT_EQ(PosixGetSpeed(probe), 19200);
    // Every rate of the controller, the two non-standard ones included.
    for (const int rate : {4800, 14400, 28800, 115200, 230400}) {
        ASSERT_TRUE(port->SetBaud(rate, error)) << rate << ": " << error;
        EXPECT_EQ(PosixGetSpeed(probe), rate);
        EXPECT_EQ(PosixGetSpeed(pty.master()), rate) << "the master sees the line speed too";
    }
    EXPECT_FALSE(port->SetBaud(0, error));
    EXPECT_FALSE(error.empty());
    ::close(probe);
}

TEST(PosixSerialPortTest, OpenRefusesMissingBusyAndNonSerialFiles) {
    std::string error;
    EXPECT_FALSE(PosixSerialPort::Open("/dev/nonexistent-orvane-port", error));
    EXPECT_NE(error.find("/dev/nonexistent-orvane-port"), std::string::npos);

    Pty pty;
    auto first = PosixSerialPort::Open(pty.slavePath(), error);
    ASSERT_TRUE(first);
    EXPECT_FALSE(PosixSerialPort::Open(pty.slavePath(), error));
    EXPECT_NE(error.find("in use"), std::string::npos);
    first.reset();
    EXPECT_TRUE(PosixSerialPort::Open(pty.slavePath(), error)) << "closing releases the port";

    char name[] = "/tmp/orvane-notatty-XXXXXX";
    const int fd = ::mkstemp(name);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(PosixSerialPort::Open(name, error));
    ::close(fd);
    ::unlink(name);
}

TEST(PosixSerialPortTest, BytesFlowBothWaysWithoutBlocking) {
    Pty pty;
    std::string error;
    auto port = PosixSerialPort::Open(pty.slavePath(), error);
    ASSERT_TRUE(port && port->ApplyLineSettings(115200, error));

    EXPECT_EQ(port->BytesWaiting(), 0);
    std::uint8_t buf[8] = {};
    EXPECT_EQ(port->Read(buf, 8), 0) << "nothing waiting reads nothing, at once";

    const std::uint8_t reply[] = {0xFF, 0x00, 0x0D, 0x0A, 0x11, 0x13};  // none may be translated
    ASSERT_EQ(::write(pty.master(), reply, sizeof reply), static_cast<ssize_t>(sizeof reply));
    ASSERT_TRUE(port->WaitReadable(1000));
    ::usleep(20'000);
    EXPECT_EQ(port->BytesWaiting(), 6);
    ASSERT_EQ(port->Read(buf, 8), 6);
    EXPECT_TRUE(std::equal(reply, reply + 6, buf));

    const std::uint8_t request[] = {0x00, 0xFE, 0x0A};
    ASSERT_TRUE(port->Write(request, 3));
    std::uint8_t got[3] = {};
    ::usleep(20'000);
    ASSERT_EQ(::read(pty.master(), got, 3), 3);
    EXPECT_TRUE(std::equal(request, request + 3, got));
}

TEST(PosixSerialPortTest, WaitSleepsUntilTheDeadlineAndAHangUpNeitherHangsNorSpins) {
    Pty pty;
    std::string error;
    auto port = PosixSerialPort::Open(pty.slavePath(), error);
    ASSERT_TRUE(port && port->ApplyLineSettings(115200, error));

    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(port->WaitReadable(150));
    EXPECT_GE(ElapsedMs(start), 140);

    pty.CloseMaster();
    const clock_t cpuBefore = std::clock();
    start = std::chrono::steady_clock::now();
    EXPECT_FALSE(port->WaitReadable(300));
    EXPECT_GE(ElapsedMs(start), 290) << "a vanished device still waits the whole time";
    EXPECT_LT(static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC, 0.1);
    EXPECT_EQ(port->BytesWaiting(), -1);
    std::uint8_t b = 0;
    EXPECT_EQ(port->Read(&b, 1), -1);
    EXPECT_FALSE(port->Write(&b, 1));
}

}  // namespace
}  // namespace orvane::device
