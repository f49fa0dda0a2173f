// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string_view>

namespace orvane::script {

// Numbers as scripts write them: "." as the decimal point, an optional exponent, no locale.
class DecimalText {
public:
    // The length of the number at the front of `text`: digits and "." characters, where an "e"
    // or "E" belongs to it when a digit, "+" or "-" follows (that sign too).
    static std::size_t NumberLength(std::string_view text);
    // The value of the longest valid decimal prefix of `text`; 0 when there is none. Values
    // beyond the double range give +-infinity, values below it 0, as the C library does.
    static double Parse(std::string_view text);
};

}  // namespace orvane::script
