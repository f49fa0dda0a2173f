// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdio>
#include <cstdlib>

namespace orvane::fuzz {

// A property the input broke: said on standard error, then an abort that libFuzzer keeps as a
// finding with the input that caused it.
inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

}  // namespace orvane::fuzz
