#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace orvane::script {

// The script's variables, newest first; every lookup takes the first entry whose name matches
// exactly. Plain value semantics: a Call copies the whole table and Return puts it back.
class VariableTable {
public:
    struct Entry {
        std::string name;
        double value = 0.0;
    };

    // Puts a new entry with the value 0 in front unless the name exists; true when added.
    // An existing name keeps its value: a repeated declaration must not reset a running loop.
    bool Declare(std::string_view name);
    // Declares every name of a "Var:a,b,c;" statement: the text after its first ":", without
    // ";", split at commas. The number of new entries.
    int DeclareStatement(std::string_view statement);
    // The first entry of that name, or null.
    Entry* Find(std::string_view name);
    const Entry* Find(std::string_view name) const;
    // Unlinks the first entry of that name; false when there is none.
    bool Remove(std::string_view name);
    void Clear() { entries_.clear(); }

    // Newest first.
    const std::vector<Entry>& Entries() const { return entries_; }
    std::size_t Size() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }

private:
    std::vector<Entry> entries_;  // index 0 is the newest
};

}  // namespace orvane::script
