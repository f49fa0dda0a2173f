// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/commands/IniFile.h"

#include <cstdint>

#include "core/host/Cp1250.h"
#include "core/host/ProfileInt.h"

namespace orvane::commands {

namespace {

// The platform trims these around lines, names and values; ^Z is an old end-of-file mark.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// UTF-16 text (without its byte-order mark) as UTF-8; broken surrogates become U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    auto unit = [&](std::size_t k) -> std::uint32_t {
        const std::uint32_t a = static_cast<unsigned char>(bytes[2 * k]);
        const std::uint32_t b = static_cast<unsigned char>(bytes[2 * k + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    const std::size_t units = bytes.size() / 2;
    std::string out;
    out.reserve(units);
    for (std::size_t k = 0; k < units; ++k) {
        std::uint32_t cp = unit(k);
        if (cp >= 0xD800 && cp <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 &&
            unit(k + 1) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(k + 1) - 0xDC00);
            ++k;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        host::AppendUtf8(out, cp);
    }
    return out;
}

// The file's text in CP1250: the platform honours a UTF-8 or UTF-16 byte-order mark.
std::string ToCp1250(std::string_view bytes) {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) return host::Utf8ToCp1250(bytes.substr(3));
    if (StartsWith(bytes, "\xFF\xFE")) return host::Utf8ToCp1250(Utf16ToUtf8(bytes.substr(2), false));
    if (StartsWith(bytes, "\xFE\xFF")) return host::Utf8ToCp1250(Utf16ToUtf8(bytes.substr(2), true));
    return std::string(bytes);
}

// One pair of matching quotes around a value is dropped when it is read.
std::string_view Unquote(std::string_view v) {
    if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front()) return v.substr(1, v.size() - 2);
    return v;
}

// The stored form of `value` that reads back as `value` (see SetString).
std::string Encode(std::string_view value) {
    std::string v(value);
    for (char& c : v) {
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    }
    const bool quote = !v.empty() && (IsBlank(v.front()) || IsBlank(v.back()) || Unquote(v) != v);
    return quote ? '"' + v + '"' : v;
}

bool IsComment(std::string_view keyName) { return !keyName.empty() && keyName.front() == ';'; }

std::string_view Trim(std::string_view s) { return IniFile::TrimBlanks(s); }

}  // namespace

std::string_view IniFile::TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::size_t IniFile::FoldedHash::operator()(std::string_view name) const {
    std::size_t h = 14695981039346656037ull;  // FNV-1a
    for (const char c : name) h = (h ^ static_cast<unsigned char>(host::FoldChar(c))) * 1099511628211ull;
    return h;
}

bool IniFile::FoldedEqual::operator()(std::string_view a, std::string_view b) const noexcept {
    return host::EqualsIgnoreCase(a, b);
}

IniFile IniFile::FromBytes(std::string_view bytes) {
    IniFile ini;
    ini.AppendSection({}, false);
    const std::string text = ToCp1250(bytes);
    const std::size_t size = text.size();
    std::size_t start = 0;
    while (start < size) {
        // A plain scan: find_first_of would search its set once for every character.
        std::size_t end = start;
        while (end < size && text[end] != '\r' && text[end] != '\n') ++end;
        std::size_t next = end + 1;
        if (end < size && text[end] == '\r' && next < size && text[next] == '\n') ++next;
        ini.AddLine(std::string_view(text).substr(start, end - start));
        start = next;
    }
    return ini;
}

void IniFile::AddLine(std::string_view line) {
    line = Trim(line.substr(0, line.find('\0')));  // the platform's strings end at a NUL
    if (line.empty()) return;
    if (line.front() == '[') {
        const auto close = line.rfind(']');
        if (close != std::string_view::npos) {
            // The profile reader drops blanks inside the brackets too: "[ Komenda1 ]" is Komenda1.
            AppendSection(std::string(Trim(line.substr(1, close - 1))), true);
            return;
        }
    }
    Key key;
    const auto eq = line.find('=');
    if (IsComment(line) || eq == std::string_view::npos) {
        key.name = line;
    } else {
        key.name = Trim(line.substr(0, eq));
        key.value = std::string(Trim(line.substr(eq + 1)));
    }
    sections_.back().keys.push_back(std::move(key));
}

IniFile::Section& IniFile::AppendSection(std::string name, bool header) {
    if (header && !name.empty()) firstSection_.try_emplace(name, sections_.size());
    sections_.push_back({std::move(name), header, {}});
    return sections_.back();
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
    name = Trim(name);
    if (name.empty()) return nullptr;
    const auto it = firstSection_.find(name);
    return it == firstSection_.end() ? nullptr : &sections_[it->second];
}

const IniFile::Key* IniFile::FindKey(const Section& section, std::string_view name) {
    name = Trim(name);
    for (const Key& key : section.keys) {
        if (!IsComment(key.name) && host::EqualsIgnoreCase(key.name, name)) return &key;
    }
    return nullptr;
}

std::string IniFile::SectionKeys::GetString(std::string_view key, std::string_view fallback) const {
    const Key* k = section_ ? FindKey(*section_, key) : nullptr;
    const std::string_view value = k && k->value ? Unquote(*k->value) : fallback;
    return std::string(value.substr(0, kValueLimit));
}

int IniFile::SectionKeys::GetInt(std::string_view key, int fallback) const {
    const std::string text = GetString(key, "");
    return text.empty() ? fallback : host::ParseProfileInt(text, fallback);
}

bool IniFile::SectionKeys::HasValue(std::string_view key) const {
    const Key* k = section_ ? FindKey(*section_, key) : nullptr;
    return k && k->value;
}

bool IniFile::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

std::vector<std::string> IniFile::SectionNames() const {
    std::vector<std::string> names;
    for (const Section& s : sections_) {
        if (s.header) names.push_back(s.name);
    }
    return names;
}

void IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    const Section* found = FindSection(section);
    Section& s = found ? sections_[static_cast<std::size_t>(found - sections_.data())]
                       : AppendSection(std::string(Trim(section)), true);
    const Key* k = FindKey(s, key);
    if (k) {
        s.keys[static_cast<std::size_t>(k - s.keys.data())].value = Encode(value);
    } else {
        s.keys.push_back({std::string(Trim(key)), Encode(value)});
    }
}

void IniFile::SetInt(std::string_view section, std::string_view key, int value) {
    SetString(section, key, std::to_string(value));
}

std::string IniFile::ToBytes() const {
    std::string out;
    for (const Section& s : sections_) {
        if (s.header) {
            if (!out.empty()) out += "\r\n";
            out += '[' + s.name + "]\r\n";
        }
        for (const Key& k : s.keys) {
            out += k.name;
            if (k.value) out += '=' + *k.value;
            out += "\r\n";
        }
    }
    return out;
}

}  // namespace orvane::commands
