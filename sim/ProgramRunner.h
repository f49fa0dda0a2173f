// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/device/FlashImage.h"
#include "simchip/SimulatedChip.h"

namespace orvane::sim {

// The user's program in Program mode: what was written into the Program area runs on the
// simulated chip, paced by the controller's clock. Its firmware calls become notes for the
// traffic log, with their simulated time; what it sends through the UART becomes replies.
class ProgramRunner : public simchip::ChipObserver {
public:
    // A program that computes without waiting may fall behind the clock rather than hold the
    // line: each Advance runs at most this much simulated time.
    static constexpr std::int64_t kMaxStepUs = 50000;

    explicit ProgramRunner(simchip::BoardState& board) : chip_(board, this) {}

    // Starts the Program area's program from the firmware's reset at `nowMs`. False when the
    // area holds nothing (there is no program to run) or the chip could not start (noted).
    bool Start(const device::FlashImage& flash, std::int64_t nowMs);
    void Stop() { running_ = false; }
    bool Running() const { return running_; }
    void Receive(std::uint8_t byte) { chip_.Receive(byte); }
    // Runs the program on to `nowMs`.
    void Advance(std::int64_t nowMs);

    std::vector<std::uint8_t> TakeSent();
    std::vector<std::string> TakeNotes();

    void FirmwareCalled(const simchip::FirmwareCall& call) override;
    void ServoMoved(const simchip::ServoMove&) override {}  // the ServoS call says it all
    void ByteSent(std::int64_t timeUs, std::uint8_t byte) override;

private:
    simchip::SimulatedChip chip_;
    bool running_ = false;
    std::int64_t startMs_ = 0;
    std::vector<std::uint8_t> sent_;
    std::vector<std::string> notes_;
};

}  // namespace orvane::sim
