#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "core/device/PortBackend.h"
#include "core/device/WriteObserver.h"
#include "core/host/Clock.h"
#include "core/host/Prompts.h"

namespace orvane::device {

// The serial port class: 40 port slots addressed by port index (COM number minus one; an
// index of 40 or more shares the last slot, a negative index selects none and behaves as a
// closed slot), a 1024-byte receive buffer and the byte primitives every conversation with the
// controller is made of. Return codes are those the whole system relies on:
//   -1   the slot is closed, or nothing was read;
//    0   a write whose lazy open failed;
//   1000 ReadByteTimeout without a byte in time (never a byte value).
class CSerialCtrl {
public:
    static constexpr int kSlots = 40;
    static constexpr int kBufferSize = 1024;
    static constexpr int kTimeout = 1000;
    static constexpr int kLazyOpenBaud = 19200;

    CSerialCtrl(PortOpener& opener, host::Clock& clock, host::Prompts& prompts);

    // Writes the bytes in one go, opening a closed slot first (at 19200 baud).
    // 0: the open failed; -1: no slot; 1: written; 0 also when the device refused the bytes.
    int WriteBytes(const std::uint8_t* bytes, int count, int portIndex);
    // One waiting byte 0..255, or -1 (closed slot, nothing waiting, read failure).
    int ReadByte(int portIndex);
    // Reads everything waiting, at most 1024 bytes, into the receive buffer followed by a NUL.
    // *bytes is set only when at least one byte was read; -1 for a closed slot, else the count.
    int ReadAvailable(const std::uint8_t** bytes, int portIndex);
    // The first byte within `seconds` whole clock seconds: returns once the second count has
    // advanced by more than `seconds` (after more than `seconds` and at most `seconds`+1 real
    // seconds), sleeping in the port's wait in between. 1000 when none came.
    int ReadByteTimeout(int portIndex, int seconds);
    // Discards waiting input (the first step of most requests).
    void DiscardInput(int portIndex);

    // 1 when the slot was open already (nothing changes, not even the speed) or the port was
    // opened and set to the controller's line at 19200 baud; 0 when it could not be opened or
    // configured (a port that refused the configuration stays open in its slot).
    int OpenPort(int portIndex);
    // -1 for a closed slot; 1 when the new rate took; 0 after the "Error" box with the reason.
    int SetBaud(int baud, int portIndex);
    // -1 for a closed slot; 1 after clearing DTR, purging and closing.
    int ClosePort(int portIndex);

    bool IsOpen(int portIndex) const;
    // Why the last OpenPort failed, for callers that add the reason to their box.
    const std::string& LastOpenError() const { return lastOpenError_; }
    host::Clock& Clock() { return clock_; }
    // Told of every write that reached the device (null: nobody listens).
    void SetWriteObserver(WriteObserver* observer) { writeObserver_ = observer; }

private:
    // The slot of an index, or null for a negative index.
    std::unique_ptr<PortBackend>* Slot(int portIndex);
    const std::unique_ptr<PortBackend>* Slot(int portIndex) const;

    PortOpener& opener_;
    host::Clock& clock_;
    host::Prompts& prompts_;
    std::array<std::unique_ptr<PortBackend>, kSlots> slots_;
    std::array<std::uint8_t, kBufferSize + 1> buffer_{};
    std::string lastOpenError_;
    WriteObserver* writeObserver_ = nullptr;
};

}  // namespace orvane::device
