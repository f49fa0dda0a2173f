// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane::script {

// Where a statement stands in the script: `start` at its first character once blanks and
// comments before it were passed over, `end` just after the last character the reader consumed.
struct StatementSpan {
    std::int32_t start = 0;
    std::int32_t end = 0;
};

// One statement as the reader hands it out: its characters without blanks and comments, the
// terminator kept. An `else` is told by its flag; its text is then what follows the word.
struct Statement {
    std::string text;
    bool isElse = false;
    // Where an else's branch begins in the script: just past the word.
    std::int32_t elseBranch = 0;

    // Whether a statement that is no else begins with `prefix`.
    bool StartsWith(std::string_view prefix) const { return !isElse && text.starts_with(prefix); }
    // The statement as a message quotes it: an else has always been shown as "else/" and its
    // branch.
    std::string Quoted() const { return isElse ? "else/" + text : text; }
};

}  // namespace orvane::script
