// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

namespace orvane::tools {

// The refresh periods of the control dialog's received-bytes line, shortest first, as the
// "+" (longer) and "-" (shorter) buttons step through them.
class RefreshPeriods {
public:
    static constexpr const char* kDefault = "1s";

    // The text itself when it is one of the seven, else "1s".
    static std::string Normalized(std::string_view text);
    static int PeriodMs(std::string_view text);
    // One row longer or shorter; the ends stay where they are.
    static std::string Longer(std::string_view text);
    static std::string Shorter(std::string_view text);
};

}  // namespace orvane::tools
