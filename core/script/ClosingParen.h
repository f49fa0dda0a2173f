// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string_view>

namespace orvane::script {

// The one bracket scan of the script engines: the position of the ")" that balances the "(" at
// `open`, looking at positions below `end` through `charAt`; `end` when nothing balances it.
template <typename Index, typename CharAt>
Index ClosingParen(const CharAt& charAt, Index open, Index end) {
    int depth = 0;
    for (Index i = open; i < end; ++i) {
        const int c = charAt(i);
        if (c == '(') ++depth;
        else if (c == ')' && --depth == 0) return i;
    }
    return end;
}

// The same over a text: the ")" balancing the "(" at `open`, or npos.
inline std::size_t ClosingParen(std::string_view text, std::size_t open) {
    const std::size_t close =
        ClosingParen(
            [text](std::size_t i) { return static_cast<int>(text[i]); }, open, text.size());
    return close == text.size() ? std::string_view::npos : close;
}

}  // namespace orvane::script
