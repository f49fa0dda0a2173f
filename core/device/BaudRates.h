// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>
#include <string_view>

namespace orvane::device {

// The nine speed texts of the settings and the RS232 dialog, slowest first.
class BaudRates {
public:
    struct Entry {
        std::string_view text;
        int rate;
        int speedCode;  // the controller's own code for the rate: 11059200 / (16 * rate) - 1
    };
    static constexpr int kDefaultRate = 115200;
    static const std::array<Entry, 9>& All();
    // The rate of a text; any text outside the nine gives 115200.
    static int RateOfText(std::string_view text);
    // The controller's speed code of a text; any other text gives the code of 115200.
    static int SpeedCodeOfText(std::string_view text);
    // The text of a rate, or empty for a rate outside the nine.
    static std::string TextOfRate(int rate);
};

}  // namespace orvane::device
