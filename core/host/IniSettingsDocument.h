#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace orvane::host {

// The sections and keys of the shared settings file, kept as the file spells them so that keys
// and sections this program does not know survive a rewrite unchanged. Text() writes the file
// the way the window application's settings library does: sections in their order, "key=value"
// lines ending in "\n", one blank line between sections, comments not kept.
class IniSettingsDocument {
public:
    struct Entry {
        std::string key;    // escaped, as in the file
        std::string value;  // escaped, as in the file
    };
    struct Section {
        std::string name;  // escaped, between the brackets; empty for keys before any header
        std::vector<Entry> entries;
    };

    static IniSettingsDocument Parse(std::string_view text);
    std::string Text() const;

    // The escaped value of `key` (CP1250) in the section `section` (CP1250): the key spelled
    // exactly so first, else the first one that differs only in case. Null when absent.
    const std::string* Find(std::string_view section, std::string_view key) const;
    // Replaces the value of the key Find would give, or adds the key at the top of its section
    // (and the section at the top of the file), where the settings library puts new ones.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    const std::vector<Section>& Sections() const { return sections_; }

private:
    Section* FindSection(std::string_view section);
    const Section* FindSection(std::string_view section) const;
    static const Entry* FindEntry(const Section& section, std::string_view key);

    std::vector<Section> sections_;
};

}  // namespace orvane::host
