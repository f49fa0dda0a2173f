// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

namespace orvane::simchip {

// Why the simulated chip stopped a program that went wrong.
enum class FaultKind {
    RanOffEnd,           // the program counter left the program's code for erased flash
    JumpIntoSystem,      // the program jumped into the System area outside the entry points
    StackIntoVariables,  // the stack grew down into the variables' SRAM
    InvalidOpcode,       // an instruction word the ATmega8 does not have
    ServoOutOfRange,     // ServoS or ServoR called with a servo number outside 1..16
};

struct ChipFault {
    FaultKind kind = FaultKind::RanOffEnd;
    std::uint32_t address = 0;  // word address of the offending instruction (for a bad servo
                                // number: of the rcall that called the routine), as the
                                // assembler's map counts
    std::string label;          // the script's label the address lies under ("Main" for the
                                // code before any label), empty when the map names none
    // The message for the user (UTF-8), naming the fault, the address in hex and the label:
    // "Błąd programu: skok do obszaru System pod adresem 0x0120 (po etykiecie Petla)".
    std::string message;
};

}  // namespace orvane::simchip
