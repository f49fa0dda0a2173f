// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/RefreshPeriods.h"

#include <array>

namespace orvane::tools {

namespace {

struct Period {
    std::string_view text;
    int ms;
};
constexpr std::array<Period, 7> kPeriods = {{
    {"0,1s", 100}, {"0,2s", 200}, {"0,5s", 500}, {"1s", 1000}, {"2s", 2000}, {"5s", 5000}, {"10s", 10000},
}};
constexpr int kDefaultIndex = 3;

int IndexOf(std::string_view text) {
    for (std::size_t i = 0; i < kPeriods.size(); ++i) {
        if (kPeriods[i].text == text) return static_cast<int>(i);
    }
    return kDefaultIndex;
}

std::string TextAt(int index) { return std::string(kPeriods[static_cast<std::size_t>(index)].text); }

}  // namespace

std::string RefreshPeriods::Normalized(std::string_view text) { return TextAt(IndexOf(text)); }

int RefreshPeriods::PeriodMs(std::string_view text) { return kPeriods[static_cast<std::size_t>(IndexOf(text))].ms; }

std::string RefreshPeriods::Longer(std::string_view text) {
    const int i = IndexOf(text);
    return TextAt(i + 1 < static_cast<int>(kPeriods.size()) ? i + 1 : i);
}

std::string RefreshPeriods::Shorter(std::string_view text) {
    const int i = IndexOf(text);
    return TextAt(i > 0 ? i - 1 : i);
}

}  // namespace orvane::tools
