// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace orvane::script {

// The script's labels, newest first: each name with the position just after its ":". A run
// jumps there; a compile only asks whether a label exists. Duplicates may stand side by side
// (the user was asked); lookups find the newer one. Adding and finding cost the same however
// many labels there are.
class LabelTable {
public:
    struct Entry {
        std::string name;
        std::int32_t position = 0;
    };

    LabelTable() = default;
    LabelTable(const LabelTable& other) : entries_(other.entries_) { Reindex(); }
    LabelTable& operator=(const LabelTable& other);
    // A move keeps the entries where they are, and so the index to them.
    LabelTable(LabelTable&&) noexcept = default;
    LabelTable& operator=(LabelTable&&) noexcept = default;

    // Puts a new entry in front, even when the name is already there.
    void Add(std::string_view name, std::int32_t position);
    // The first entry of that name, newest first, or null.
    const Entry* Find(std::string_view name) const;
    bool Contains(std::string_view name) const { return Find(name) != nullptr; }
    void Clear();

    // Newest first.
    const std::deque<Entry>& Entries() const { return entries_; }
    std::size_t Size() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }

private:
    // Not noexcept on purpose: the standard table then keeps each name's hash instead of
    // computing it again for every entry it walks past.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };

    void Reindex();

    // A deque keeps every entry where it is when another is put in front.
    std::deque<Entry> entries_;  // front is the newest
    std::unordered_map<std::string, const Entry*, NameHash, std::equal_to<>> newest_;
};

}  // namespace orvane::script
