#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/compiler/CompileDriver.h"
#include "tests/compiler/CompileFakes.h"
#include "tests/support/ScriptedPrompts.h"

namespace orvane::test {

// A script compiled by the real compile with the shipped commands: CompileDriver, the generated
// shell script, avra. The document lies in a private folder; its name (CP1250) may hold a subfolder.
struct RealCompile {
    explicit RealCompile(const std::string& script, const std::string& documentName = "prog.orv");
    std::string Report() const;  // Wynik.txt

    TempDir folder;
    ScriptedPrompts prompts;
    compiler::CompileResult result;
    std::string shown;  // what the report window would have shown (empty after a success)
    std::string document;  // CP1250
};

// The compiled program run on an ATmega8 in simavr under our test firmware (a stand-in for the
// system firmware at the fixed entry points: multiplication, division and recording stubs),
// with the SRAM read back after the program returned.
class AvrRun {
public:
    static constexpr int kRamEnd = 0x45F;

    explicit AvrRun(const RealCompile& compile);

    // False when the firmware's dump never came (a crash or an endless loop, cut off).
    bool Completed() const { return completed_; }
    int Byte(int address) const { return sram_.at(static_cast<std::size_t>(address)); }
    bool Has(const std::string& name) const { return symbols_.count(name) > 0; }
    // A variable's 16-bit value, high byte first at its address (from the map file).
    int Variable(const std::string& name) const { return Byte(symbols_.at(name)) * 256 + Byte(symbols_.at(name) + 1); }
    int StackAfterProgram() const { return Byte(0x260) * 256 + Byte(0x261); }
    const std::string& Output() const { return output_; }

private:
    bool completed_ = false;
    std::array<std::uint8_t, kRamEnd + 1> sram_{};
    std::map<std::string, int> symbols_;
    std::string output_;
};

}  // namespace orvane::test
