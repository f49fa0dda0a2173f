#include "core/script/LabelTable.h"

#include <algorithm>

namespace orvane::script {

void LabelTable::Add(std::string_view name, std::int32_t position) {
    entries_.insert(entries_.begin(), Entry{std::string(name), position});
}

const LabelTable::Entry* LabelTable::Find(std::string_view name) const {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const Entry& e) { return e.name == name; });
    return it == entries_.end() ? nullptr : &*it;
}

}  // namespace orvane::script
