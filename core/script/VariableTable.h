// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

namespace orvane::script {

// The script's variables, newest first; every lookup takes the first entry whose name matches
// exactly. Plain value semantics: a Call copies the whole table and Return puts it back.
// Declaring and finding cost the same however many variables there are, so a script of a
// hundred thousand of them runs and compiles in linear time.
class VariableTable {
public:
    struct Entry {
        std::string name;
        double value = 0.0;
    };

    VariableTable() = default;
    VariableTable(const VariableTable& other) : entries_(other.entries_) { Reindex(); }
    VariableTable& operator=(const VariableTable& other);
    // A move keeps the entries where they are, and so the index to them.
    VariableTable(VariableTable&&) noexcept = default;
    VariableTable& operator=(VariableTable&&) noexcept = default;

    // Puts a new entry with the value 0 in front unless the name exists; true when added.
    // An existing name keeps its value: a repeated declaration must not reset a running loop.
    bool Declare(std::string_view name);
    // Declares every name of a "Var:a,b,c;" statement: the text after its first ":", without
    // ";", split at commas. The number of new entries.
    int DeclareStatement(std::string_view statement);
    // The first entry of that name, or null.
    Entry* Find(std::string_view name);
    const Entry* Find(std::string_view name) const;
    // The newest variable whose name `text` begins with, followed by the end of the text or by
    // one of "+-*/()", so that "ab" is not read as "a" followed by "b"; null when none.
    const Entry* AtStartOf(std::string_view text) const;
    // Unlinks the first entry of that name; false when there is none.
    bool Remove(std::string_view name);
    void Clear();

    // Newest first.
    const std::deque<Entry>& Entries() const { return entries_; }
    std::size_t Size() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }

private:
    struct Slot {
        Entry* entry;
        std::uint64_t age;  // larger is newer
    };
    // Not noexcept on purpose: the standard table then keeps each name's hash instead of
    // computing it again for every entry it walks past.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };

    void Index(Entry& entry, std::uint64_t age);
    void Reindex();

    // A deque keeps every entry where it is when another is put in front, so the index can
    // point at them.
    std::deque<Entry> entries_;  // front is the newest
    std::unordered_map<std::string, Slot, NameHash, std::equal_to<>> index_;
    std::map<std::size_t, std::size_t> namesOfLength_;  // name length -> how many names
    std::uint64_t nextAge_ = 1;
};

}  // namespace orvane::script
