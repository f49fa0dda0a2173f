// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "core/device/PortBackend.h"

namespace orvane::device {

// A serial device (or pseudo-terminal) through termios and poll().
class PosixSerialPort : public PortBackend {
public:
    // Opens `path` exclusively for reading and writing; null with the reason on failure.
    static std::unique_ptr<PosixSerialPort> Open(const std::string& path, std::string& error);
    ~PosixSerialPort() override;

    int BytesWaiting() override;
    int Read(std::uint8_t* buffer, int max) override;
    bool Write(const std::uint8_t* buffer, int count) override;
    bool WaitReadable(std::int64_t timeoutMs) override;
    bool HungUp() const override { return failed_; }
    bool ApplyLineSettings(int baud, std::string& error) override;
    bool SetBaud(int baud, std::string& error) override;
    void SetDtr(bool active) override;
    void Purge() override;

private:
    explicit PosixSerialPort(int fd) : fd_(fd) {}
    void MarkFailed();

    int fd_;
    bool failed_ = false;  // the device went away: no more polling, only sleeping
};

}  // namespace orvane::device
