// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

#include "core/commands/CommandTable.h"

namespace orvane::sim {

// Assembles one command frame as the PC sends it: the identifier, then each argument's bytes,
// most significant first, by the argument sizes of the command table (sizes other than 1 to 3
// carry no byte).
class FrameReader {
public:
    // Begins a frame; false (and no frame) when no command has this identifier. Several
    // commands sharing one identifier: the first in lookup order, as the PC would find it.
    bool Start(const commands::CommandTable& table, std::uint8_t identifier);
    // Adds an argument byte to a started frame; true once the frame is whole.
    bool Add(std::uint8_t byte);
    bool Started() const { return command_ != nullptr; }
    bool Complete() const { return command_ && bytes_.size() == expected_; }
    void Reset();

    const commands::CommandDef& Command() const { return *command_; }
    // Sum of every frame byte, identifier included, modulo 256.
    std::uint8_t Checksum() const;
    // One wire value per argument (0 for an argument without bytes), unsigned big-endian.
    std::vector<std::uint32_t> ArgumentValues() const;
    // Bytes an argument of `size` occupies in a frame.
    static int WireSize(std::int32_t size) { return size >= 1 && size <= 3 ? size : 0; }

private:
    const commands::CommandDef* command_ = nullptr;
    std::vector<std::uint8_t> bytes_;
    std::size_t expected_ = 0;
};

}  // namespace orvane::sim
