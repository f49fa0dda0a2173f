// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/device/FlashImage.h"
#include "simchip/BoardState.h"
#include "simchip/ChipFault.h"
#include "simchip/ChipObserver.h"
#include "simchip/ProgramMap.h"

namespace orvane::simchip {

class ChipCore;

// A variable of the program as it stands in the chip's SRAM: two bytes, high byte first.
struct ChipVariable {
    std::string name;  // as the assembler's map spells it
    std::uint16_t word = 0;
};

enum class ChipState {
    Empty,    // nothing loaded, or the load failed
    Running,  // loaded and not finished: Run goes on with it
    Ended,    // the program returned to the firmware (its end, Exit, Return at the top)
    Faulted,  // stopped by a fault; Fault() says which
};

// The controller's ATmega8 at 11.0592 MHz, simulated with simavr, running a compiled program
// (the Program area, word 0x0380 on) under our stand-in system firmware. The firmware calls the
// program through its entry table at 0x0380 and serves the entry points the program calls
// (ServoS, ServoR, LEDS, WaitS, Pomnoz, Podziel, the UART and interrupt routines) with the
// meaning they have on the board, on the shared BoardState, leaving results in tmp1:tmp2.
//
// Time is simulated: Run advances it by slices, so a caller paces the program in real time or
// faster and stops it between two slices simply by not calling Run again; a wait (WaitS, a
// UART read with nothing received) passes in simulated time at no cost. The object is used
// from one thread at a time; the observer and the board are called on that thread, inside Run.
class SimulatedChip {
public:
    static constexpr std::uint32_t kClockHz = 11059200;

    // `board` and `observer` (may be null) outlive the chip.
    explicit SimulatedChip(BoardState& board, ChipObserver* observer = nullptr);
    ~SimulatedChip();
    SimulatedChip(const SimulatedChip&) = delete;
    SimulatedChip& operator=(const SimulatedChip&) = delete;

    // A compile's output: the HEX image (program area only) and the assembler's map, which
    // names the variables and the labels (mapPath may be empty: no variables, no labels).
    // False with the reason (UTF-8) when a file cannot be read or the image holds anything
    // outside the Program area. Starts the chip from reset, at simulated time 0.
    bool Load(const std::string& hexPath, const std::string& mapPath, std::string& error);
    // The Program area of a flash image (what the virtual controller holds), without a map.
    bool LoadImage(const device::FlashImage& flash, std::string& error);
    // The map beside a compile's HEX file: the same path with ".map" for ".hex".
    static std::string MapPathOf(const std::string& hexPath);
    // The stand-in firmware's HEX, installed with the data.
    static std::string DefaultFirmwarePath();
    // Another firmware image (tests; the default otherwise). Takes effect at the next load.
    void SetFirmwarePath(std::string path) { firmwarePath_ = std::move(path); }

    // Starts the loaded program again from the firmware's reset: SRAM cleared, time 0.
    void Reset();

    // Runs for up to `sliceUs` of simulated time; returns early when the program ends or
    // faults. Running, Ended or Faulted afterwards (Empty when nothing is loaded).
    ChipState Run(std::int64_t sliceUs);
    ChipState State() const { return state_; }
    std::int64_t NowUs() const;
    const std::optional<ChipFault>& Fault() const { return fault_; }

    // A byte from the serial line, for the program's UART reads (GRS, LRS); a load or a reset
    // forgets the bytes not yet read.
    void Receive(std::uint8_t byte) { received_.push_back(byte); }

    // The variables the map names, in its order (the memory file's: newest first), read from
    // SRAM now (after the end: their final values).
    std::vector<ChipVariable> Variables() const;
    // "name = 7.00" per variable (CP1250), the lines `orvane-cli run` prints after a run.
    static std::vector<std::string> VariableLines(const std::vector<ChipVariable>& variables);

private:
    friend class ChipCore;

    bool Start(const device::FlashImage& program, std::string& error);

    BoardState& board_;
    ChipObserver* observer_;
    std::string firmwarePath_;
    ProgramMap map_;
    device::FlashImage image_;  // firmware and program, for Reset
    std::unique_ptr<ChipCore> core_;
    ChipState state_ = ChipState::Empty;
    std::optional<ChipFault> fault_;
    std::deque<std::uint8_t> received_;
};

}  // namespace orvane::simchip
