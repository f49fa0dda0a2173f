// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

namespace orvane::host {

// Hexadecimal digits as every file and log of the system writes them (upper case) and reads
// them (either case): HEX files, the settings file's escapes, the traffic log.
inline constexpr char kHexDigits[] = "0123456789ABCDEF";

// The value of a hexadecimal digit, or -1 for any other character.
inline int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Appends a byte as two upper-case digits.
inline void AppendHexByte(std::string& text, std::uint8_t byte) {
    text += kHexDigits[byte >> 4];
    text += kHexDigits[byte & 0x0F];
}

}  // namespace orvane::host
