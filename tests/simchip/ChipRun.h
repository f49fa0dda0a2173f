// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "simchip/SimulatedChip.h"
#include "tests/compiler/RealCompile.h"

namespace orvane::test {

// A compiled program run on the simulated chip until it ends, faults or `limitMs` of simulated
// time pass, with everything it did recorded. `received`: bytes waiting on the serial line.
class ChipRun : public simchip::ChipObserver {
public:
    explicit ChipRun(const RealCompile& compile, std::int64_t limitMs = 5000, const std::string& received = {});

    void FirmwareCalled(const simchip::FirmwareCall& call) override { calls.push_back(call); }
    void ServoMoved(const simchip::ServoMove& move) override { moves.push_back(move); }
    void ByteSent(std::int64_t, std::uint8_t byte) override { sent.push_back(static_cast<char>(byte)); }

    bool Has(const std::string& name) const;
    int Variable(const std::string& name) const;  // -1 when the map has no such variable

    simchip::BoardState board;
    simchip::ChipState state = simchip::ChipState::Empty;
    std::optional<simchip::ChipFault> fault;
    std::vector<simchip::ChipVariable> variables;
    std::vector<simchip::FirmwareCall> calls;
    std::vector<simchip::ServoMove> moves;
    std::string sent;
    std::string error;  // why the load failed
};

}  // namespace orvane::test
