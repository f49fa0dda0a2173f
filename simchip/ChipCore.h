// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdarg>
#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>

#include "core/device/FlashImage.h"
#include "simchip/BoardState.h"
#include "simchip/ChipFault.h"
#include "simchip/ChipObserver.h"
#include "simchip/FirmwareRoutine.h"
#include "simchip/ProgramMap.h"

struct avr_t;

namespace orvane::simchip {

// simavr's ATmega8 with the glue that serves the firmware's entry points and watches the
// program: before each instruction where the program counter goes, after it where the stack
// went, and whether simavr found the instruction invalid.
class ChipCore {
public:
    enum class Outcome { Running, Ended, Faulted };

    ChipCore(BoardState& board, ChipObserver* observer, std::deque<std::uint8_t>& received);
    ~ChipCore();
    ChipCore(const ChipCore&) = delete;
    ChipCore& operator=(const ChipCore&) = delete;

    // `flash` holds the firmware and the program, whose code ends before word `programEnd`.
    bool Start(const device::FlashImage& flash, std::uint32_t programEnd, ProgramMap map, std::string& error);
    // Runs until simulated cycle `untilCycle` or the end or a fault.
    Outcome RunUntil(std::uint64_t untilCycle);
    std::uint64_t Cycle() const;
    const std::optional<ChipFault>& Fault() const { return fault_; }
    const ProgramMap& Map() const { return map_; }
    std::uint8_t Sram(std::uint32_t address) const;

    static std::int64_t MicrosOf(std::uint64_t cycle);
    static std::uint64_t CycleOf(std::int64_t us);

private:
    static void OnChipCall(avr_t* avr, std::uint16_t address, std::uint8_t value, void* param);
    // simavr's messages: an invalid opcode is a fault of the program, the rest is not ours.
    static void OnLog(avr_t* avr, int level, const char* format, va_list args);
    void Serve(std::uint8_t entryLow);
    void Finish(FirmwareCall call, const FirmwareRoutine& routine, std::uint32_t result);
    bool Receive(FirmwareCall& call);
    void Pass(std::uint64_t untilCycle);  // time passes with the core held where it is
    bool Watch();                         // before an instruction: false on a fault
    bool WatchStack();
    void FindReturns(const device::FlashImage& flash);
    std::uint32_t CallerWord() const;     // the rcall that called the routine being served
    void Stop(FaultKind kind, std::uint32_t address, const std::string& what);
    std::int64_t NowUs() const { return MicrosOf(Cycle()); }

    BoardState& board_;
    ChipObserver* observer_;
    std::deque<std::uint8_t>& received_;
    avr_t* avr_ = nullptr;
    ProgramMap map_;
    std::uint32_t programEnd_ = 0;
    std::uint32_t lastProgramWord_ = 0;  // the program's last instruction, for its label
    std::set<std::uint32_t> returns_;    // where the firmware's calls of the program return to
    bool inFirmware_ = true;
    bool ended_ = false;
    bool invalidOpcode_ = false;
    std::uint64_t waitUntil_ = 0;
    std::optional<FirmwareCall> awaitingByte_;  // a GRS call held until a byte comes
    std::optional<ChipFault> fault_;

};

}  // namespace orvane::simchip
