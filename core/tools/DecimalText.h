// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string_view>

namespace orvane::tools {

// The number fields of the servo and command dialogs: text read as a decimal integer the way
// the dialogs always read it (leading blanks, an optional sign, the digits up to the first
// other character); text with no digit there gives 0. Values beyond 32 bits saturate instead
// of wrapping, so a long row of nines never turns negative.
class DecimalText {
public:
    static std::int32_t Parse(std::string_view text);
};

}  // namespace orvane::tools
