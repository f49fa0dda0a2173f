// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

namespace orvane::compiler {

// The bytes of a 16-bit value for "ldi" lines, in two's complement as the interpreter sends
// them: a negative value keeps its sign in the high byte (-100 is 156 and 255).
struct AsmBytes {
    static std::string Low(std::int32_t value) {
        return std::to_string(static_cast<std::uint32_t>(value) & 0xFFu);
    }
    static std::string High(std::int32_t value) {
        return std::to_string((static_cast<std::uint32_t>(value) >> 8) & 0xFFu);
    }
};

}  // namespace orvane::compiler
