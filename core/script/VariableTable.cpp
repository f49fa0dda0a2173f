// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/VariableTable.h"

#include <algorithm>

namespace orvane::script {

namespace {

bool EndsName(char c) { return std::string_view("+-*/()").find(c) != std::string_view::npos; }

}  // namespace

VariableTable& VariableTable::operator=(const VariableTable& other) {
    if (this != &other) {
        entries_ = other.entries_;
        Reindex();
    }
    return *this;
}

bool VariableTable::Declare(std::string_view name) {
    if (Find(name) != nullptr) return false;
    entries_.push_front(Entry{std::string(name), 0.0});
    Index(entries_.front(), nextAge_++);
    return true;
}

int VariableTable::DeclareStatement(std::string_view statement) {
    const auto colon = statement.find(':');
    if (colon == std::string_view::npos) return 0;
    std::string list;
    for (const char c : statement.substr(colon + 1))
        if (c != ';') list.push_back(c);
    int added = 0;
    std::string_view rest = list;
    while (!rest.empty()) {
        // A comma in front is part of the name, as the declaration has always read it.
        const auto comma = rest.find(',');
        const bool split = comma != std::string_view::npos && comma > 0;
        const auto name = split ? rest.substr(0, comma) : rest;
        rest = split ? rest.substr(comma + 1) : std::string_view{};
        if (Declare(name)) ++added;
    }
    return added;
}

VariableTable::Entry* VariableTable::Find(std::string_view name) {
    const auto it = index_.find(name);
    return it == index_.end() ? nullptr : it->second.entry;
}

const VariableTable::Entry* VariableTable::Find(std::string_view name) const {
    return const_cast<VariableTable*>(this)->Find(name);
}

// Only names of a length some variable has can match, and only where the text goes on with
// an operator there: a few lookups per operand instead of a walk over every variable.
const VariableTable::Entry* VariableTable::AtStartOf(std::string_view text) const {
    const Slot* newest = nullptr;
    for (const auto& [length, count] : namesOfLength_) {
        if (length > text.size()) break;
        if (length == 0 || (length < text.size() && !EndsName(text[length]))) continue;
        const auto it = index_.find(text.substr(0, length));
        if (it != index_.end() && (!newest || it->second.age > newest->age)) newest = &it->second;
    }
    return newest ? newest->entry : nullptr;
}

bool VariableTable::Remove(std::string_view name) {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const Entry& e) { return e.name == name; });
    if (it == entries_.end()) return false;
    entries_.erase(it);
    Reindex();  // an erase in the middle moves the entries behind it
    return true;
}

void VariableTable::Clear() {
    entries_.clear();
    index_.clear();
    namesOfLength_.clear();
}

void VariableTable::Index(Entry& entry, std::uint64_t age) {
    index_.emplace(entry.name, Slot{&entry, age});
    ++namesOfLength_[entry.name.size()];
}

void VariableTable::Reindex() {
    index_.clear();
    namesOfLength_.clear();
    nextAge_ = entries_.size() + 1;
    std::uint64_t age = nextAge_;
    for (Entry& entry : entries_) Index(entry, --age);
}

}  // namespace orvane::script
