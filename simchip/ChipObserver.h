// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "simchip/BoardState.h"

namespace orvane::simchip {

// One call of a firmware entry point by the program, as the firmware served it.
struct FirmwareCall {
    std::int64_t timeUs = 0;                // simulated time when the call was made
    std::string routine;                    // the entry point's name: "ServoS", "WaitS", "Pomnoz"...
    std::uint32_t entry = 0;                // its word address (0x0367..0x037f)
    std::vector<std::uint32_t> arguments;   // the values it took, in the routine's order: the
                                            // parameter registers p1.. grouped by the argument
                                            // sizes (a 2-byte one low byte first), or tmp1:tmp2
                                            // and tmp3:tmp4 for Pomnoz and Podziel
    std::uint16_t result = 0;               // tmp1 (low) : tmp2 (high) as the routine left them

    // "12.345 ms ServoS(1, 0, 0, 0, 1500)", with " -> 1500" for a routine that answers: the
    // line `orvane-cli simulate --trace` prints and the traffic log records.
    std::string Text() const;
};

// Told everything the simulated program does that is visible outside the chip. Called on the
// thread that runs the chip's slices (SimulatedChip::Run), in simulated-time order, never
// after Run has returned; an observer for the window hands the events to its own thread.
class ChipObserver {
public:
    virtual ~ChipObserver() = default;
    virtual void FirmwareCalled(const FirmwareCall& call) = 0;
    // A servo set in motion (every ServoS call that the board carried out).
    virtual void ServoMoved(const ServoMove& move) = 0;
    // A byte the program sent through the UART (SendB, Send2B), at simulated time `timeUs`.
    virtual void ByteSent(std::int64_t timeUs, std::uint8_t byte) { (void)timeUs, (void)byte; }
};

}  // namespace orvane::simchip
