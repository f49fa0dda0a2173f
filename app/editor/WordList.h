// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::app::editor {

// Words in ascending order by a case-insensitive compare (CP1250 letters folded). An empty word
// is never stored and an exact (case-sensitive) duplicate is not stored again; words that differ
// only in case are all kept, in the order they came.
class WordList {
public:
    // Many words at once, in O(n log n), so a dictionary of many thousands of words loads at once.
    void AddAll(std::vector<std::string> words);

    const std::vector<std::string>& Words() const { return words_; }
    std::size_t Size() const { return words_.size(); }
    bool Empty() const { return words_.empty(); }

    // The first word that starts with `prefix` (case-insensitive), or Size() when none does.
    std::size_t FirstWithPrefix(std::string_view prefix) const;
    // The first word that compares greater than or equal to `text` (case-insensitive).
    std::size_t Nearest(std::string_view text) const;
    bool StartsWith(std::size_t index, std::string_view prefix) const;

    // <0, 0, >0 like strcmp, ignoring case; `n` limits the compare to the first n characters.
    static int Compare(std::string_view a, std::string_view b);
    static int ComparePrefix(std::string_view a, std::string_view b, std::size_t n);

private:
    std::vector<std::string> words_;
};

}  // namespace orvane::app::editor
