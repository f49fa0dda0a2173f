// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/BaudRates.h"

namespace orvane::device {

const std::array<BaudRates::Entry, 9>& BaudRates::All() {
    static const std::array<Entry, 9> kAll = {{
        {"4800", 4800, 143},   {"9600", 9600, 71},    {"14,4k", 14400, 47},
        {"19,2k", 19200, 35},  {"28,8k", 28800, 23},  {"38,4k", 38400, 17},
        {"57,6k", 57600, 11},  {"115,2k", 115200, 5}, {"230,4k", 230400, 2},
    }};
    return kAll;
}

int BaudRates::RateOfText(std::string_view text) {
    for (const auto& e : All()) {
        if (e.text == text) return e.rate;
    }
    return kDefaultRate;
}

int BaudRates::SpeedCodeOfText(std::string_view text) {
    for (const auto& e : All()) {
        if (e.text == text) return e.speedCode;
    }
    return 5;
}

std::string BaudRates::TextOfRate(int rate) {
    for (const auto& e : All()) {
        if (e.rate == rate) return std::string(e.text);
    }
    return {};
}

}  // namespace orvane::device
