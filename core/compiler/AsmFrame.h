// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "core/script/LabelTable.h"
#include "core/script/VariableTable.h"

namespace orvane::compiler {

// The fixed parts of the generated files: the firmware's entry points, the origin of the user
// program and the entry table the firmware jumps through, the includes of the memory file and
// the SRAM reservations of the variables. Paths are written as the system names its files.
class AsmFrame {
public:
    // The word address of the user program, right after the system firmware.
    static constexpr int kProgramOrigin = 0x0380;

    // Exit ends the program from any depth of Call and Run: it puts back the stack pointer the
    // program started with (kept at ORVsp) and returns to the firmware.
    static constexpr const char* kExitJump = "rjmp ORVexit\n";

    // Lines 1-4 of the assembler file: the include of the memory file, the 24 entry points,
    // the origin and the jump to the program's start (through the saving of the stack pointer
    // when the program has an Exit).
    static std::string Header(const std::string& memoryFilePath, bool exits);
    // The two interrupt slots, the saving of the stack pointer when the program has an Exit,
    // then the start label unless the script has its own "Main".
    static std::string EntryTable(const script::LabelTable& labels, bool exits);
    // The final return, and the code every Exit jumps to.
    static std::string Trailer(bool exits);
    // The two bytes that keep the stack pointer, when the program has an Exit: no variable of
    // the script, though the map lists it among them.
    static constexpr const char* kStackKeeper = "ORVsp";
    static std::string ExitReservation() { return Reservation(kStackKeeper); }

    // The names of the firmware's entry points ("Send2B" ... "Pomnoz").
    static std::vector<std::string> EntryNames();

    static std::string Include(const std::string& path);
    // Two bytes of SRAM per variable, newest first.
    static std::string Reservations(const script::VariableTable& variables);
    static std::string Reservation(const std::string& name) { return name + ": .BYTE 2\n"; }
};

}  // namespace orvane::compiler
