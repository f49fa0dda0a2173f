// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvane::commands {

// A private-profile INI file with the rules of the platform's profile functions, so files
// written by the original and by us read the same everywhere:
// - lines end in CR LF or LF (a lone CR ends a line too, so old Mac files load); blanks around
//   lines, key names and values are dropped; lines starting with ';' are comments;
// - "[name]" opens a section (the name runs to the last ']'); "key=value" is a key, split at
//   the first '='; a line without '=' is a key without a value; blanks inside the brackets
//   are dropped too;
// - section and key lookups ignore case (CP1250 letters included); the first section of a
//   name and the first key of a name win;
// - a value read is cut to 499 characters (the 500-character buffer) and loses one pair of
//   matching quotes around it;
// - bytes are CP1250 and kept as they are; a UTF-8 or UTF-16 byte-order mark is understood
//   and the text converted to CP1250.
// The writer emits "[Section]" and "Key=Value" lines ending CR LF, with one blank line between
// sections, as the platform's writer leaves them.
class IniFile {
private:
    struct Section;

public:
    static constexpr std::size_t kValueLimit = 499;

    // The keys of one section, found once for reading many of them (a command's twenty keys
    // would otherwise look the section up twenty times); empty when the section is missing.
    // Valid while the file is neither changed nor destroyed.
    class SectionKeys {
    public:
        // The first key `key`; `fallback` when it is missing or has no '='. Cut to
        // kValueLimit characters either way.
        std::string GetString(std::string_view key, std::string_view fallback) const;
        // The value as the platform's profile integer reader gives it; `fallback` when it is
        // missing or empty.
        int GetInt(std::string_view key, int fallback) const;
        // True when the key is there with a value (a line with '=').
        bool HasValue(std::string_view key) const;

    private:
        friend class IniFile;
        explicit SectionKeys(const Section* section) : section_(section) {}
        const Section* section_;
    };

    static IniFile FromBytes(std::string_view bytes);
    // `s` without the blanks the platform drops around names and values.
    static std::string_view TrimBlanks(std::string_view s);

    // The keys of the first section `section`.
    SectionKeys KeysOf(std::string_view section) const { return SectionKeys(FindSection(section)); }
    // The first key `key` of the first section `section`, as SectionKeys reads it.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view fallback) const {
        return KeysOf(section).GetString(key, fallback);
    }
    int GetInt(std::string_view section, std::string_view key, int fallback) const {
        return KeysOf(section).GetInt(key, fallback);
    }
    bool HasValue(std::string_view section, std::string_view key) const {
        return KeysOf(section).HasValue(key);
    }
    bool HasSection(std::string_view section) const;
    // Every section's name in file order, duplicates included.
    std::vector<std::string> SectionNames() const;

    // Sets the first key `key` of the first section `section`, appending the key (and the
    // section, at the end) when missing, such that GetString returns `value` again: CR, LF and
    // NUL, which a line cannot hold, become blanks, and a value that would lose blanks at its
    // ends or its enclosing quotes is written inside double quotes.
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, int value);

    std::string ToBytes() const;

private:
    struct Key {
        std::string name;
        std::optional<std::string> value;  // none: a line without '=', or a comment
    };
    struct Section {
        std::string name;
        bool header = true;  // false only for the lines before the first section
        std::vector<Key> keys;
    };

    void AddLine(std::string_view line);
    Section& AppendSection(std::string name, bool header);
    const Section* FindSection(std::string_view name) const;
    static const Key* FindKey(const Section& section, std::string_view name);

    // Section names hashed and compared without case, so a lookup folds nothing into a copy.
    // Not noexcept on purpose: the standard table then keeps each name's hash instead of
    // computing it again for every entry it walks past.
    struct FoldedHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const;
    };
    struct FoldedEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const noexcept;
    };

    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t, FoldedHash, FoldedEqual> firstSection_;  // name -> index
};

}  // namespace orvane::commands
