// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace orvane::simchip {

// What the assembler's map file tells about a compiled program: its variables (the labels of
// the memory file, before the code's "Program") and its code labels. Lines are
// "NAME<tabs>KIND<tab>HEX<tab>DECIMAL"; only labels (kind L) count.
class ProgramMap {
public:
    struct Symbol {
        std::string name;
        std::uint32_t address = 0;  // SRAM byte address for a variable, flash word for code
    };

    // False when the file cannot be read.
    bool Read(const std::string& path);
    void Parse(const std::string& text);

    const std::vector<Symbol>& Variables() const { return variables_; }
    // The first SRAM byte above every variable (the SRAM start when there is none).
    std::uint32_t VariablesEnd() const;
    // The script's label the code at `wordAddress` lies under: the nearest label of the script
    // at or before it ("Main" for the start), empty outside the program or without a map.
    std::string LabelAt(std::uint32_t wordAddress) const;

private:
    std::vector<Symbol> variables_;
    std::vector<Symbol> scriptLabels_;  // by address, prefix taken off
};

}  // namespace orvane::simchip
