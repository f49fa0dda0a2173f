// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace orvane::test {

// One Intel HEX record line (no line end) with its checksum worked out, for tests that need
// well-formed files of their own making.
inline std::string HexRecord(int type, int address, const std::vector<std::uint8_t>& data) {
    char field[3];
    unsigned sum = static_cast<unsigned>(data.size() + (address >> 8) + (address & 0xFF) + type);
    std::string line = ":";
    auto put = [&](unsigned value) {
        std::snprintf(field, sizeof field, "%02X", value & 0xFFu);
        line += field;
    };
    put(static_cast<unsigned>(data.size()));
    put(static_cast<unsigned>(address >> 8));
    put(static_cast<unsigned>(address));
    put(static_cast<unsigned>(type));
    for (std::uint8_t b : data) {
        put(b);
        sum += b;
    }
    put(0x100u - (sum & 0xFFu));
    return line;
}

inline std::string HexDataRecord(int address, const std::vector<std::uint8_t>& data) {
    return HexRecord(0, address, data);
}

}  // namespace orvane::test
