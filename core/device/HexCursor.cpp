// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/HexCursor.h"

#include <algorithm>

#include "core/host/HexDigits.h"

namespace orvane::device {

bool HexCursor::SkipToColon() {
    const std::size_t colon = text_.find(':', pos_);
    if (colon == std::string_view::npos) {
        pos_ = text_.size();
        return false;
    }
    pos_ = colon + 1;
    return true;
}

int HexCursor::ReadHexByte() {
    const int high = ReadDigit();
    return high * 16 + ReadDigit();
}

int HexCursor::ReadDigit() {
    if (pos_ >= text_.size()) {
        ranPastEnd_ = true;
        return 0;
    }
    // Any other character reads as 0, as the controller's own tools read them.
    return std::max(host::HexDigitValue(text_[pos_++]), 0);
}

}  // namespace orvane::device
