// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

#include "core/commands/CommandDef.h"

namespace orvane::script {

// The integer scaling between script values and the controller's wire values, shared by
// everything that turns a command call into bytes.
class WireScaling {
public:
    // value * multiplier / divisor + constant in signed 32-bit arithmetic. The product and the
    // sum keep the low 32 bits of the exact result, the division truncates toward zero; a
    // divisor of 0 gives 0 (a broken definition must not stop the program), and
    // INT_MIN / -1 wraps to INT_MIN like the product does.
    static std::int32_t ScaleArgument(std::int32_t value, std::int32_t multiplier,
                                      std::int32_t divisor, std::int32_t constant);
    static std::int32_t ScaleArgument(std::int32_t value, const commands::CommandArg& arg) {
        return ScaleArgument(value, arg.multiplier, arg.divisor, arg.constant);
    }

    // (raw - constant) * multiplier / divisor in floating point; a divisor of 0 gives what the
    // floating division gives (+-infinity, or NaN for 0/0).
    static double ScaleResult(double raw, const commands::CommandDef& def);

    // A script value as a signed 32-bit integer, truncated toward zero. NaN gives 0 and values
    // outside the range (infinity included) saturate, so that "x/0" stays "very large".
    static std::int32_t ToInt32(double value);

    // The low `size` bytes of `wire`, most significant first, for sizes 1 to 3; other sizes
    // add nothing. False when nothing was added.
    static bool AppendBigEndian(std::int32_t wire, std::int32_t size, std::vector<std::uint8_t>& out);
};

}  // namespace orvane::script
