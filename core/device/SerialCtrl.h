// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "core/device/PortBackend.h"
#include "core/device/WriteObserver.h"
#include "core/host/Clock.h"
#include "core/host/Prompts.h"

namespace orvane::device {

// The serial port class: 40 port slots addressed by port index (COM number minus one; an
// index of 40 or more shares the last slot, a negative index selects none and behaves as a
// closed slot), a 1024-byte receive buffer and the byte primitives every conversation with the
// controller is made of. No call blocks longer than its own wait, and none throws.
class CSerialCtrl {
public:
    static constexpr int kSlots = 40;
    static constexpr int kBufferSize = 1024;
    static constexpr int kLazyOpenBaud = 19200;

    CSerialCtrl(PortOpener& opener, host::Clock& clock, host::Prompts& prompts);

    // Writes the bytes in one go, opening a closed slot first (at 19200 baud). True when every
    // byte was handed to the device; false when there is no slot, the open failed (nothing is
    // written then) or the device refused the bytes.
    bool WriteBytes(const std::uint8_t* bytes, int count, int portIndex);
    // One byte that is waiting already; nothing when the slot is closed, no byte waits or the
    // read failed.
    std::optional<std::uint8_t> ReadByte(int portIndex);
    // Everything waiting, at most 1024 bytes, kept in the receive buffer (followed by a NUL)
    // until the next read; empty when nothing waits or the read failed. Nothing for a closed slot.
    std::optional<std::span<const std::uint8_t>> ReadAvailable(int portIndex);
    // The first byte within `seconds` whole clock seconds: returns once the second count has
    // advanced by more than `seconds` (after more than `seconds` and at most `seconds`+1 real
    // seconds), sleeping in the port's wait in between. Nothing when no byte came in that time;
    // a closed slot and a vanished device sleep the whole wait too.
    std::optional<std::uint8_t> ReadByteTimeout(int portIndex, int seconds);
    // The next bytes of a stream that ends with a silence of more than `seconds`: everything
    // waiting (at most 1024, in the receive buffer) once a byte is there; nothing once no byte
    // came for more than that. Measured to the millisecond on the same monotonic clock, so the
    // end is seen as soon as the silence is long enough, not up to a second later, as the
    // whole-second count of ReadByteTimeout would allow; taken in chunks, so a long stream costs
    // a few reads instead of two system calls a byte.
    std::optional<std::span<const std::uint8_t>> ReadStreamChunk(int portIndex, int seconds);
    // Discards waiting input (the first step of most requests).
    void DiscardInput(int portIndex);

    // True when the slot was open already (nothing changes, not even the speed) or the port was
    // opened and set to the controller's line at 19200 baud; false when it could not be opened or
    // configured (a port that refused the configuration stays open in its slot).
    bool OpenPort(int portIndex);
    // True when the new rate took; false for a closed slot, or after the "Error" box with the
    // device's reason.
    bool SetBaud(int baud, int portIndex);
    // Clears DTR, purges and closes; false when the slot was closed already.
    bool ClosePort(int portIndex);

    bool IsOpen(int portIndex) const;
    // True when the slot holds a port whose device went away.
    bool HungUp(int portIndex) const;
    // Why the last OpenPort failed (CP1250), for callers that add the reason to their box.
    const std::string& LastOpenError() const { return lastOpenError_; }
    host::Clock& Clock() { return clock_; }
    // Told of every write that reached the device (null: nobody listens).
    void SetWriteObserver(WriteObserver* observer) { writeObserver_ = observer; }

private:
    // The slot of an index, or null for a negative index.
    std::unique_ptr<PortBackend>* Slot(int portIndex);
    const std::unique_ptr<PortBackend>* Slot(int portIndex) const;
    // The open port of an index, or null.
    PortBackend* Port(int portIndex);

    PortOpener& opener_;
    host::Clock& clock_;
    host::Prompts& prompts_;
    std::array<std::unique_ptr<PortBackend>, kSlots> slots_;
    std::array<std::uint8_t, kBufferSize + 1> buffer_{};
    std::string lastOpenError_;
    WriteObserver* writeObserver_ = nullptr;
};

}  // namespace orvane::device
