// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/AsmFrame.h"

#include <array>
#include <string_view>

namespace orvane::compiler {

namespace {

// The firmware routines at fixed word addresses just below the user program (0x036c is unused).
constexpr std::array<std::string_view, 24> kEntryPoints{
    "Send2B=0x0367", "SendB=0x0368",  "GRS=0x0369",   "LRS=0x036a",   "URS=0x036b",
    "ADIAxR=0x036d", "ADIDG=0x036e",  "ADIDxG=0x036f", "AIxR=0x0370",  "DOG=0x0371",
    "DOS=0x0372",    "DOxG=0x0373",   "DOxS=0x0374",  "INT0G=0x0375", "INT0C=0x0376",
    "INT1G=0x0377",  "INT1C=0x0378",  "ServoR=0x0379", "ServoS=0x037a", "LEDS=0x037b",
    "LEDF=0x037c",   "WaitS=0x037d",  "Podziel=0x037e", "Pomnoz=0x037f",
};

}  // namespace

std::vector<std::string> AsmFrame::EntryNames() {
    std::vector<std::string> names;
    for (const auto entry : kEntryPoints) names.emplace_back(entry.substr(0, entry.find('=')));
    return names;
}

std::string AsmFrame::Include(const std::string& path) { return ".include \"" + path + "\"\n"; }

std::string AsmFrame::Header(const std::string& memoryFilePath, bool exits) {
    std::string text = Include(memoryFilePath);
    for (const auto entry : kEntryPoints) text += ".EQU " + std::string(entry) + "\n";
    text += ".CSEG\n.ORG 0x0380\n";
    text += exits ? "Program:\nrjmp ORVstart\n" : "Program:\nrjmp ORVANExlMain\n";
    return text;
}

std::string AsmFrame::EntryTable(const script::LabelTable& labels, bool exits) {
    std::string text;
    text += labels.Contains("INT0") ? "rjmp ORVANExlINT0\n" : "ret\n";
    text += labels.Contains("INT1") ? "rjmp ORVANExlINT1\n" : "ret\n";
    if (exits) {
        text += "ORVstart:\nin tmp1,SPL\nin tmp2,SPH\nldi ZH,high(ORVsp)\nldi ZL,low(ORVsp)\n"
                "st Z,tmp2\nstd Z+1,tmp1\n";
        if (labels.Contains("Main")) text += "rjmp ORVANExlMain\n";
    }
    if (!labels.Contains("Main")) text += "ORVANExlMain:\n";
    return text;
}

// The stack pointer's two halves change with interrupts held off, so no interrupt finds half a
// stack.
std::string AsmFrame::Trailer(bool exits) {
    if (!exits) return "ret\n";
    return "ret\nORVexit:\nldi ZH,high(ORVsp)\nldi ZL,low(ORVsp)\nld tmp2,Z\nldd tmp1,Z+1\n"
           "in tmp3,SREG\ncli\nout SPH,tmp2\nout SPL,tmp1\nout SREG,tmp3\nret\n";
}

std::string AsmFrame::Reservations(const script::VariableTable& variables) {
    std::string text;
    for (const auto& v : variables.Entries()) text += Reservation(v.name);
    return text;
}

}  // namespace orvane::compiler
