// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>

namespace orvane::host {

// Integer parsing as the platform's profile integer reader does it. Only the first 29
// characters count (its 30-character buffer). Leading control characters and blanks are
// skipped, then an optional '+' or '-', then an optional lower-case base prefix "0x", "0o" or
// "0b", then digits of that base up to the first character that is none (letters count as
// digits 10..35 and stop the number when they exceed the base). The value wraps to 32 bits
// like the original's unsigned accumulation, so "4294967297" gives 1.
// A value that is empty or all blanks gives `fallback`; any other text without a digit gives 0.
int ParseProfileInt(std::string_view text, int fallback);

}  // namespace orvane::host
