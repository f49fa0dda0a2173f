#include "core/host/IniSettingsDocument.h"

#include "core/host/Cp1250.h"
#include "core/host/IniSettingsEscaping.h"

namespace orvane::host {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
            lines.push_back(text.substr(start, i - start));
            if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    return lines;
}

}  // namespace

IniSettingsDocument IniSettingsDocument::Parse(std::string_view text) {
    IniSettingsDocument doc;
    Section* current = nullptr;
    for (std::string_view line : Lines(text)) {
        line = Trim(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            std::string name(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
            if (EqualsIgnoreCase(name, "General")) name.clear();
            // A section that appears twice is one section, where it first appeared.
            current = nullptr;
            for (auto& s : doc.sections_) {
                if (s.name == name) current = &s;
            }
            if (!current) current = &doc.sections_.emplace_back(Section{name, {}});
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        if (!current) current = &doc.sections_.emplace_back(Section{"", {}});
        current->entries.push_back({std::string(Trim(line.substr(0, eq))),
                                    std::string(Trim(line.substr(eq + 1)))});
    }
    return doc;
}

std::string IniSettingsDocument::Text() const {
    std::string text;
    bool first = true;
    for (const auto& section : sections_) {
        if (section.entries.empty()) continue;
        if (!first) text += '\n';
        first = false;
        text += "[" + (section.name.empty() ? std::string("General") : section.name) + "]\n";
        for (const auto& entry : section.entries) text += entry.key + "=" + entry.value + "\n";
    }
    return text;
}

const IniSettingsDocument::Section* IniSettingsDocument::FindSection(std::string_view section) const {
    for (const auto& s : sections_) {
        if (IniSettingsEscaping::UnescapeKey(s.name) == section) return &s;
    }
    return nullptr;
}

IniSettingsDocument::Section* IniSettingsDocument::FindSection(std::string_view section) {
    return const_cast<Section*>(static_cast<const IniSettingsDocument*>(this)->FindSection(section));
}

const IniSettingsDocument::Entry* IniSettingsDocument::FindEntry(const Section& section,
                                                                 std::string_view key) {
    const Entry* caseless = nullptr;
    for (const auto& entry : section.entries) {
        const std::string name = IniSettingsEscaping::UnescapeKey(entry.key);
        if (name == key) return &entry;
        if (!caseless && EqualsIgnoreCase(name, key)) caseless = &entry;
    }
    return caseless;
}

const std::string* IniSettingsDocument::Find(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s) return nullptr;
    const Entry* e = FindEntry(*s, key);
    return e ? &e->value : nullptr;
}

void IniSettingsDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = FindSection(section);
    if (!s) {
        sections_.insert(sections_.begin(), Section{IniSettingsEscaping::EscapeKey(section), {}});
        s = &sections_.front();
    }
    if (const Entry* e = FindEntry(*s, key)) {
        const_cast<Entry*>(e)->value = std::string(value);
        return;
    }
    s->entries.insert(s->entries.begin(), Entry{IniSettingsEscaping::EscapeKey(key), std::string(value)});
}

}  // namespace orvane::host
