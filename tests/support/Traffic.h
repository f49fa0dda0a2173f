// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <utility>
#include <vector>

namespace orvane::test {

// What crossed the line as the simulator logs it: ('R', a byte it heard) or ('T', one it sent).
using Traffic = std::vector<std::pair<char, std::uint8_t>>;

// A request the controller heard followed by its answer.
inline Traffic Exchange(const std::vector<std::uint8_t>& request, const std::vector<std::uint8_t>& answer) {
    Traffic t;
    for (const auto b : request) t.emplace_back('R', b);
    for (const auto b : answer) t.emplace_back('T', b);
    return t;
}

inline Traffic operator+(Traffic a, const Traffic& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace orvane::test
