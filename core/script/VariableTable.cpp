#include "core/script/VariableTable.h"

#include <algorithm>

namespace orvane::script {

bool VariableTable::Declare(std::string_view name) {
    if (Find(name) != nullptr) return false;
    entries_.insert(entries_.begin(), Entry{std::string(name), 0.0});
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
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const Entry& e) { return e.name == name; });
    return it == entries_.end() ? nullptr : &*it;
}

const VariableTable::Entry* VariableTable::Find(std::string_view name) const {
    return const_cast<VariableTable*>(this)->Find(name);
}

bool VariableTable::Remove(std::string_view name) {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const Entry& e) { return e.name == name; });
    if (it == entries_.end()) return false;
    entries_.erase(it);
    return true;
}

}  // namespace orvane::script
