// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace orvane::tools {

// The control dialog's "Odebrano:" line: each refresh puts the bytes it found in front, newest
// first, separated from the earlier refreshes by ", ", and the oldest fall off the end at 150
// characters. It is kept in decimal and in hexadecimal alike, so switching the notation shows
// the same history.
class ReceivedLine {
public:
    static constexpr std::size_t kMaxLength = 150;
    static constexpr const char* kCaption = "Odebrano:";

    // One refresh with the bytes read, oldest first (none is a refresh too).
    void Refresh(const std::vector<std::uint8_t>& bytes);
    const std::string& Text(bool hex) const { return hex ? hex_ : decimal_; }

private:
    static void Refresh(std::string& line, const std::vector<std::uint8_t>& bytes, bool hex);

    std::string decimal_ = kCaption;
    std::string hex_ = kCaption;
};

}  // namespace orvane::tools
