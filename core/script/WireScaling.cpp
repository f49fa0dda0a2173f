// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/WireScaling.h"

#include <cmath>
#include <limits>

namespace orvane::script {

namespace {

// Keeps the low 32 bits, as the controller's two's complement arithmetic does.
std::int32_t Low32(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

}  // namespace

std::int32_t WireScaling::ScaleArgument(std::int32_t value, std::int32_t multiplier,
                                        std::int32_t divisor, std::int32_t constant) {
    const std::int32_t product = Low32(static_cast<std::int64_t>(value) * multiplier);
    const std::int32_t quotient =
        divisor == 0 ? 0 : Low32(static_cast<std::int64_t>(product) / divisor);
    return Low32(static_cast<std::int64_t>(quotient) + constant);
}

double WireScaling::ScaleResult(double raw, const commands::CommandDef& def) {
    return (raw - def.resultConstant) * def.resultMultiplier / def.resultDivisor;
}

std::int32_t WireScaling::ToInt32(double value) {
    if (std::isnan(value)) return 0;
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    if (value <= static_cast<double>(kMin)) return kMin;
    if (value >= static_cast<double>(kMax)) return kMax;
    return static_cast<std::int32_t>(value);
}

bool WireScaling::AppendBigEndian(std::int32_t wire, std::int32_t size,
                                  std::vector<std::uint8_t>& out) {
    if (size < 1 || size > 3) return false;
    const auto bits = static_cast<std::uint32_t>(wire);
    for (std::int32_t shift = 8 * (size - 1); shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(bits >> shift));
    return true;
}

}  // namespace orvane::script
