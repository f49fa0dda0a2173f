// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "core/host/ProfileInt.h"

namespace orvane::host {
namespace {

// Rows as the platform's profile integer reader answers them.
TEST(ProfileIntTest, ParsesAsThePlatformsProfileReader) {
    const struct {
        std::string text;
        int expected;
    } rows[] = {
        {"", 99}, {" \t", 99},  // nothing there: the fallback
        {"1", 1}, {"-1", -1}, {"+1", 1}, {"  12", 12}, {"\t-7", -7}, {"019", 19},
        {"12abc", 12}, {"42A94967297", 42}, {"B4294967297", 0}, {"abc", 0}, {"-", 0}, {"- 5", 0},
        {"4294967296", 0}, {"4294967297", 1}, {"-4294967297", -1}, {"2147483648", INT_MIN},  // 32-bit wrap
        {"0x1F", 31}, {"-0x10", -16}, {"0X1F", 0}, {"0x", 0}, {"0xG", 0},  // prefixes are lower case
        {"0o17", 15}, {"0b101", 5}, {"0b102", 2},
        {"0000000000000000000000000000" "12", 1},  // 28 zeros: only 29 characters are read
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ParseProfileInt(row.text, 99), row.expected);
    }
}

}  // namespace
}  // namespace orvane::host
