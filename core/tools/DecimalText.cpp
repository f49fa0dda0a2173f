// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/DecimalText.h"

#include <algorithm>
#include <limits>

namespace orvane::tools {

std::int32_t DecimalText::Parse(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    }
    const std::int64_t signedValue = negative ? -value : value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        signedValue, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace orvane::tools
