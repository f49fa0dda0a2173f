// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string_view>

namespace orvane::device {

// Reads HEX text the forgiving way the controller's files have always been read: any character
// that is not a hexadecimal digit counts as 0, and so does a character missing at the end of
// the text. The cursor remembers running past the end, so a cut-off record can be told apart
// from one that really holds zeros.
class HexCursor {
public:
    explicit HexCursor(std::string_view text) : text_(text) {}

    // Moves just past the next colon, skipping anything else (line ends of any kind included);
    // false when the text holds no further colon.
    bool SkipToColon();
    // The next two characters as one byte, high digit first.
    int ReadHexByte();
    bool RanPastEnd() const { return ranPastEnd_; }

private:
    int ReadDigit();

    std::string_view text_;
    std::size_t pos_ = 0;
    bool ranPastEnd_ = false;
};

}  // namespace orvane::device
