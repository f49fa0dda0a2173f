// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/ReceivedLine.h"

#include <cstdio>
#include <string_view>

namespace orvane::tools {

void ReceivedLine::Refresh(const std::vector<std::uint8_t>& bytes) {
    Refresh(decimal_, bytes, false);
    Refresh(hex_, bytes, true);
}

// The caption and the one character after it make way for ", ", then each byte read goes in
// front of what is there, so within a refresh the newest byte is the leftmost too. Only the
// first 150 characters survive, so no more than those are built.
void ReceivedLine::Refresh(std::string& line, const std::vector<std::uint8_t>& bytes, bool hex) {
    constexpr std::size_t kCaptionAndSeparator = std::string_view(kCaption).size() + 1;
    std::string next = kCaption;
    for (auto it = bytes.rbegin(); it != bytes.rend() && next.size() < kMaxLength; ++it) {
        char digits[4];
        std::snprintf(digits, sizeof digits, hex ? "%02X" : "%u", static_cast<unsigned>(*it));
        next += ' ';
        next += digits;
    }
    next += ", ";
    if (line.size() > kCaptionAndSeparator) next.append(line, kCaptionAndSeparator);
    if (next.size() > kMaxLength) next.resize(kMaxLength);
    line = std::move(next);
}

}  // namespace orvane::tools
