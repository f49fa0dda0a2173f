#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::script {

// The script's labels, newest first: each name with the position just after its ":". A run
// jumps there; a compile only asks whether a label exists. Duplicates may stand side by side
// (the user was asked); lookups find the newer one.
class LabelTable {
public:
    struct Entry {
        std::string name;
        std::int32_t position = 0;
    };

    // Puts a new entry in front, even when the name is already there.
    void Add(std::string_view name, std::int32_t position);
    // The first entry of that name, newest first, or null.
    const Entry* Find(std::string_view name) const;
    bool Contains(std::string_view name) const { return Find(name) != nullptr; }
    void Clear() { entries_.clear(); }

    // Newest first.
    const std::vector<Entry>& Entries() const { return entries_; }
    std::size_t Size() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }

private:
    std::vector<Entry> entries_;  // index 0 is the newest
};

}  // namespace orvane::script
