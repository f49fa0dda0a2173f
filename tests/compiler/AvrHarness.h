#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/commands/CommandTable.h"
#include "core/compiler/CompileDriver.h"
#include "tests/compiler/CompileFakes.h"
#include "tests/support/ScriptedPrompts.h"

namespace orvane::test {

// A script compiled by the real compile: CompileDriver, the generated shell script, avra.
class RealCompile {
public:
    // The command definitions shipped in data/Komendy.ini.
    static const commands::CommandTable& ShippedCommands();

    // The document lies in a private folder; its name (CP1250) may hold a subfolder.
    RealCompile(const std::string& script, const std::string& documentName = "prog.orv",
                const commands::CommandTable& table = ShippedCommands());

    const compiler::CompileResult& Result() const { return result_; }
    // What the report window would have shown (empty after a success).
    const std::string& ShownReport() const { return shown_; }
    std::string Report() const;
    std::string Assembler() const;
    const std::vector<ScriptedPrompts::Box>& Boxes() const { return prompts_.Boxes(); }
    const std::string& Folder() const { return folder_.Path(); }
    std::string MapFile() const;

private:
    std::string Sibling(const std::string& extension) const;

    TempFolder folder_;
    ScriptedPrompts prompts_;
    compiler::CompileResult result_;
    std::string shown_;
    std::string document_;  // CP1250
};

// The compiled program run on an ATmega8 in simavr under our test firmware (a stand-in for the
// system firmware at the fixed entry points: multiplication, division and recording stubs),
// with the SRAM read back after the program returned.
class AvrRun {
public:
    static constexpr int kSramStart = 0x60;
    static constexpr int kRamEnd = 0x45F;
    static constexpr int kLogCount = 0x27F;
    static constexpr int kLogStart = 0x280;

    struct Call {
        int routine;                  // the entry point's address, low byte (0x7a: ServoS)
        std::array<int, 6> params;    // p1..p6
    };

    // Runs the program image of a successful compile; `completed` is false when the
    // firmware's dump never came (a crash or an endless loop, cut off after a few seconds).
    explicit AvrRun(const RealCompile& compile);

    bool Completed() const { return completed_; }
    int Byte(int address) const;
    // A variable's 16-bit value, high byte first at its address (from the map file).
    int Variable(const std::string& name) const;
    int StackAfterProgram() const { return Byte(0x260) * 256 + Byte(0x261); }
    int StackAfterHooks() const { return Byte(0x262) * 256 + Byte(0x263); }
    // tmp1..tmp6 and p1..p6 as the hooks left them.
    std::array<int, 12> RegistersAfterHooks() const;
    std::vector<Call> Calls() const;
    const std::string& Output() const { return output_; }

    // The test firmware's HEX, assembled once per test run.
    static const std::string& FirmwareHex();

private:
    bool completed_ = false;
    std::array<std::uint8_t, kRamEnd + 1> sram_{};
    std::map<std::string, int> symbols_;
    std::string output_;
};

}  // namespace orvane::test
