// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/DecimalText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "core/host/AsciiText.h"

namespace orvane::script {

namespace {

using host::IsDigit;

// The power of ten of the leading non-zero digit of a number that did not fit a double, so
// that it can be told whether it overflowed or underflowed. Saturates on absurd exponents.
long long DecimalMagnitude(std::string_view number) {
    long long magnitude = 0;
    bool seenPoint = false;
    bool seenDigit = false;
    std::size_t i = 0;
    for (; i < number.size() && (IsDigit(number[i]) || number[i] == '.'); ++i) {
        const char c = number[i];
        if (c == '.') {
            seenPoint = true;
        } else if (!seenDigit && c == '0') {
            if (seenPoint) --magnitude;
        } else if (!seenDigit) {
            seenDigit = true;
            if (seenPoint) --magnitude;
        } else if (!seenPoint) {
            ++magnitude;
        }
    }
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
        long long exponent = 0;
        for (; i < number.size() && IsDigit(number[i]); ++i)
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (number[i] - '0');
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}

}  // namespace

std::size_t DecimalText::NumberLength(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (IsDigit(c) || c == '.') {
            ++i;
        } else if ((c == 'e' || c == 'E') && i + 1 < text.size() &&
                   (IsDigit(text[i + 1]) || text[i + 1] == '+' || text[i + 1] == '-')) {
            i += 2;
        } else {
            break;
        }
    }
    return i;
}

double DecimalText::Parse(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan", which are no script numbers.
    if (text.empty() || !(IsDigit(text[0]) || text[0] == '.')) return 0.0;

    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        value = DecimalMagnitude(text.substr(0, static_cast<std::size_t>(end - text.data()))) > 0
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    } else if (error != std::errc{}) {
        value = 0.0;
    }
    return negative ? -value : value;
}

}  // namespace orvane::script
