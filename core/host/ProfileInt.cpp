// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/ProfileInt.h"

#include <cstdint>

namespace orvane::host {

namespace {

constexpr std::size_t kReaderBuffer = 30;  // the platform reads the value into 30 characters

unsigned Byte(char c) { return static_cast<unsigned char>(c); }

// -1 when `c` is no digit of `base`.
int DigitValue(char c, unsigned base) {
    unsigned v = 36;
    if (c >= '0' && c <= '9') v = Byte(c) - '0';
    else if (c >= 'a' && c <= 'z') v = Byte(c) - 'a' + 10;
    else if (c >= 'A' && c <= 'Z') v = Byte(c) - 'A' + 10;
    return v < base ? static_cast<int>(v) : -1;
}

unsigned PrefixBase(char c) {
    switch (c) {
        case 'x': return 16;
        case 'o': return 8;
        case 'b': return 2;
        default: return 0;
    }
}

}  // namespace

int ParseProfileInt(std::string_view text, int fallback) {
    text = text.substr(0, kReaderBuffer - 1);
    std::size_t i = 0;
    while (i < text.size() && Byte(text[i]) <= ' ') ++i;
    if (i == text.size()) return fallback;
    bool negative = false;
    if (text[i] == '-' || text[i] == '+') {
        negative = text[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0' && PrefixBase(text[i + 1]) != 0) {
        base = PrefixBase(text[i + 1]);
        i += 2;
    }
    std::uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const int d = DigitValue(text[i], base);
        if (d < 0) break;
        value = value * base + static_cast<std::uint32_t>(d);
    }
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

}  // namespace orvane::host
