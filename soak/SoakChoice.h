// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <random>

namespace orvane::soak {

// One of `n` (0 when there is none to choose), drawn from the soak's seeded random source.
inline int Pick(std::mt19937_64& rng, int n) { return n <= 0 ? 0 : static_cast<int>(rng() % static_cast<unsigned>(n)); }

// A command's or button's text as the user reads it: no mnemonic mark, no shortcut after a tab.
inline QString Plain(QString text) { return text.remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0); }

}  // namespace orvane::soak
