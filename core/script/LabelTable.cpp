// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/LabelTable.h"

namespace orvane::script {

LabelTable& LabelTable::operator=(const LabelTable& other) {
    if (this != &other) {
        entries_ = other.entries_;
        Reindex();
    }
    return *this;
}

void LabelTable::Add(std::string_view name, std::int32_t position) {
    entries_.push_front(Entry{std::string(name), position});
    newest_.insert_or_assign(entries_.front().name, &entries_.front());
}

const LabelTable::Entry* LabelTable::Find(std::string_view name) const {
    const auto it = newest_.find(name);
    return it == newest_.end() ? nullptr : it->second;
}

void LabelTable::Clear() {
    entries_.clear();
    newest_.clear();
}

void LabelTable::Reindex() {
    newest_.clear();
    for (const Entry& entry : entries_) newest_.try_emplace(entry.name, &entry);  // front first
}

}  // namespace orvane::script
