// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace orvane::simchip {

// How the simulation serves an entry point.
enum class Service {
    Board,          // carried out on the BoardState (servos, LEDs, inputs, outputs, interrupts)
    Wait,           // WaitS: the milliseconds pass in simulated time
    Multiply,       // Pomnoz: tmp1:tmp2 * tmp3:tmp4, the low 16 bits
    Divide,         // Podziel: tmp1:tmp2 / tmp3:tmp4, unsigned; 0xFFFF for a divisor of 0
    Send,           // SendB, Send2B: bytes out through the UART
    Receive,        // GRS: the next byte received, waiting for one
    ReceivedCount,  // LRS: how many bytes wait to be read
    DropReceived,   // URS: forget the bytes waiting
};

// One entry point of the firmware as the simulated chip serves it: where programs call it and
// how its arguments lie in the parameter registers p1..p6 (a 2-byte argument low byte first),
// as the shipped Komendy.ini declares them; that layout is the firmware's, fixed.
struct FirmwareRoutine {
    static constexpr std::uint32_t kFirstEntry = 0x0367;
    static constexpr std::uint32_t kLastEntry = 0x037f;

    std::uint32_t entry;
    const char* name;
    std::vector<int> argumentSizes;
    int resultSize;  // bytes the routine answers in tmp1 (and tmp2)
    Service service;
    bool takesServo = false;  // its first argument is a servo number, 1..16

    // The routine at a word address, null where none is (0x036c, anything outside the table).
    static const FirmwareRoutine* AtEntry(std::uint32_t word);
    // The argument values, from p1..p6 (registers r3..r8 in `registers`, the 32 of them).
    std::vector<std::uint32_t> Arguments(const std::uint8_t* registers) const;
};

}  // namespace orvane::simchip
