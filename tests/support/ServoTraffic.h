// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

#include "tests/support/Traffic.h"

namespace orvane::test {

// The servo dialogs' exchanges as the virtual controller logs them: a read of `servo` that
// answers `position`, and a set frame with its checksum echo and confirmation.
inline Traffic ServoRead(std::uint8_t servo, int position) {
    return Exchange({'R', servo}, {static_cast<std::uint8_t>('R' + servo)}) +
           Exchange({0x01}, {0x01, static_cast<std::uint8_t>(position >> 8), static_cast<std::uint8_t>(position)});
}

inline Traffic ServoSet(const std::vector<std::uint8_t>& frame) {
    unsigned sum = 0;
    for (const auto b : frame) sum += b;
    return Exchange(frame, {static_cast<std::uint8_t>(sum)}) + Exchange({0x01}, {0x01});
}

}  // namespace orvane::test
