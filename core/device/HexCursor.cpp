#include "core/device/HexCursor.h"

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
    const char c = text_[pos_++];
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

}  // namespace orvane::device
