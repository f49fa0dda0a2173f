// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace orvane::script {

// Script text as a message box quotes it. The mark 0xFF that the reader appends at the end of
// the text is no part of what the user wrote (it would show as "˙"), and a quote is at most a
// line's worth: a longer one is cut and the cut marked with "…", so a box never grows with the
// script, whose one expression may run to hundreds of kilobytes.
class MessageQuote {
public:
    static constexpr std::size_t kLineWorth = 80;

    static std::string Of(std::string_view scriptText);
};

}  // namespace orvane::script
