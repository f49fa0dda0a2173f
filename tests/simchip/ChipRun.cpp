// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/simchip/ChipRun.h"

#include "core/host/Cp1250.h"

namespace orvane::test {

ChipRun::ChipRun(const RealCompile& compile, std::int64_t limitMs, const std::string& received) {
    simchip::SimulatedChip chip(board, this);
    chip.SetFirmwarePath(ORVANE_CHIP_FIRMWARE);
    const std::string hex = host::Cp1250ToUtf8(compile.result.hexPath);
    if (!chip.Load(hex, simchip::SimulatedChip::MapPathOf(hex), error)) return;
    for (const char byte : received) chip.Receive(static_cast<std::uint8_t>(byte));
    state = chip.Run(limitMs * 1000);
    fault = chip.Fault();
    variables = chip.Variables();
}

bool ChipRun::Has(const std::string& name) const { return Variable(name) >= 0; }

int ChipRun::Variable(const std::string& name) const {
    for (const auto& v : variables)
        if (v.name == name) return v.word;
    return -1;
}

}  // namespace orvane::test
