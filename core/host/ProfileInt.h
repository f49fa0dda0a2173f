#pragma once
#include <string_view>

namespace orvane::host {

// Integer parsing as the platform's private-profile reader does it: leading blanks,
// an optional sign, then decimal digits up to the first non-digit; "0x" prefixes hex.
// An empty value or one without any digit gives `fallback` when empty, else 0.
// Overflow wraps to 32 bits like the original reader's unsigned accumulation.
int ParseProfileInt(std::string_view text, int fallback);

}  // namespace orvane::host
