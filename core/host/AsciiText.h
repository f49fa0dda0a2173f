// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>

namespace orvane::host {

// A decimal digit of the scripts, settings and reports: ASCII only, whatever the C locale says.
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What a word of the scripts is made of: ASCII letters, digits and the underscore.
constexpr bool IsWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '_';
}

// A field as typed into a dialog, without the spaces and tabs around it.
constexpr std::string_view TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace orvane::host
