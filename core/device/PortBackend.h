// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace orvane::device {

// One open serial port. Contract of every call: nothing blocks except WaitReadable, and a
// device that went away (unplugged, pseudo-terminal hung up) makes reads and writes fail with
// -1 instead of blocking or spinning.
class PortBackend {
public:
    virtual ~PortBackend() = default;

    // Received bytes waiting to be read; -1 when the device failed.
    virtual int BytesWaiting() = 0;
    // Reads up to `max` waiting bytes without waiting; the count read (0 when none), -1 on failure.
    virtual int Read(std::uint8_t* buffer, int max) = 0;
    // Writes all `count` bytes; true when every byte was handed to the device.
    virtual bool Write(const std::uint8_t* buffer, int count) = 0;
    // Sleeps until a byte waits or `timeoutMs` passed; true when a byte waits. A failed device
    // sleeps the whole timeout, so callers that loop on it never burn the processor.
    virtual bool WaitReadable(std::int64_t timeoutMs) = 0;
    // True once the device went away (a read or write error, a hang-up, the node removed): the
    // port never works again and must be closed and opened anew. A port that cannot tell says no.
    virtual bool HungUp() const { return false; }

    // The controller's line: 8 data bits, no parity, one stop bit, no flow control of any kind,
    // raw bytes, DTR and RTS inactive, at `baud`. False with a reason when the device refuses.
    virtual bool ApplyLineSettings(int baud, std::string& error) = 0;
    virtual bool SetBaud(int baud, std::string& error) = 0;
    virtual void SetDtr(bool active) = 0;
    // Lets pending output leave, then discards waiting input (a request written just before a
    // close must still reach the device).
    virtual void Purge() = 0;
};

// Opens the port of a 0-based port index (COM number minus one).
class PortOpener {
public:
    virtual ~PortOpener() = default;
    // Null with a reason when the port does not exist, is busy or cannot be opened.
    virtual std::unique_ptr<PortBackend> Open(int portIndex, std::string& error) = 0;
};

}  // namespace orvane::device
