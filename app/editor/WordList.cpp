// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/WordList.h"

#include <algorithm>

#include "core/host/Cp1250.h"

namespace orvane::app::editor {

namespace {
bool Less(const std::string& a, const std::string& b) { return WordList::Compare(a, b) < 0; }
}  // namespace

int WordList::Compare(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(orvane::host::FoldChar(a[i]));
        const auto y = static_cast<unsigned char>(orvane::host::FoldChar(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

int WordList::ComparePrefix(std::string_view a, std::string_view b, std::size_t n) {
    return Compare(a.substr(0, n), b.substr(0, n));
}

void WordList::AddAll(std::vector<std::string> words) {
    std::erase_if(words, [](const std::string& w) { return w.empty(); });
    words_.insert(words_.end(), std::make_move_iterator(words.begin()),
                  std::make_move_iterator(words.end()));
    // A stable sort keeps the arrival order inside each run of case-equal words; then each run
    // keeps only the first of exact duplicates.
    std::stable_sort(words_.begin(), words_.end(), Less);
    std::vector<std::string> kept;
    kept.reserve(words_.size());
    for (auto runStart = words_.begin(); runStart != words_.end();) {
        auto runEnd = std::upper_bound(runStart, words_.end(), *runStart, Less);
        const std::size_t keptStart = kept.size();
        for (auto it = runStart; it != runEnd; ++it) {
            const auto from = kept.begin() + static_cast<std::ptrdiff_t>(keptStart);
            if (std::find(from, kept.end(), *it) == kept.end()) kept.push_back(std::move(*it));
        }
        runStart = runEnd;
    }
    words_ = std::move(kept);
}

std::size_t WordList::Nearest(std::string_view text) const {
    auto it = std::lower_bound(words_.begin(), words_.end(), text,
                               [](const std::string& w, std::string_view t) { return Compare(w, t) < 0; });
    return static_cast<std::size_t>(it - words_.begin());
}

bool WordList::StartsWith(std::size_t index, std::string_view prefix) const {
    return index < words_.size() && words_[index].size() >= prefix.size() &&
           ComparePrefix(words_[index], prefix, prefix.size()) == 0;
}

std::size_t WordList::FirstWithPrefix(std::string_view prefix) const {
    if (prefix.empty()) return words_.size();
    // Every word that starts with the prefix compares >= it, and the first of them is the
    // first word whose opening characters compare equal.
    auto it = std::lower_bound(words_.begin(), words_.end(), prefix,
                               [](const std::string& w, std::string_view p) {
                                   return ComparePrefix(w, p, p.size()) < 0;
                               });
    const auto index = static_cast<std::size_t>(it - words_.begin());
    return StartsWith(index, prefix) ? index : words_.size();
}

}  // namespace orvane::app::editor
