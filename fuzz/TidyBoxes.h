// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "fuzz/FuzzCheck.h"
#include "tests/support/ScriptedPrompts.h"

namespace orvane::fuzz {

// What the user is shown stays readable whatever the script: no end-of-text mark ("˙", the
// reader's 0xFF) and no box that grows with the input (a quote is a line's worth).
inline void RequireTidyBoxes(const test::ScriptedPrompts& prompts) {
    constexpr std::size_t kLongestBox = 1000;
    for (const auto& box : prompts.Boxes()) {
        Require(box.text.find("˙") == std::string::npos, "a box shows the end-of-text mark");
        Require(box.caption.size() + box.text.size() < kLongestBox, "a box grows with the script");
    }
}

}  // namespace orvane::fuzz
