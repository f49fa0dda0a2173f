// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/ReservedNames.h"

#include <array>
#include <cctype>

#include "core/compiler/AsmFrame.h"
#include "core/compiler/BuildPaths.h"
#include "core/compiler/SymbolCollector.h"
#include "core/host/Cp1250.h"
#include "core/platform/AtomicFile.h"
#include "core/script/LabelCollector.h"
#include "core/script/StatementPieces.h"
#include "core/script/StatementWalk.h"

namespace orvane::compiler {

namespace {

// Labels the translation makes up for the entry table, the stack of Exit, labels, ifs and loops.
constexpr std::array<std::string_view, 4> kGeneratedNames{"program", "orvstart", "orvexit", "orvsp"};
constexpr std::array<std::string_view, 3> kGeneratedPrefixes{"orvanexl", "orvif", "orvwhileloop"};
constexpr int kMaxIncludeDepth = 8;

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string_view LeadingName(std::string_view text) {
    std::size_t n = 0;
    while (n < text.size() && IsNameChar(text[n])) ++n;
    return text.substr(0, n);
}

}  // namespace

ReservedNames::ReservedNames() {
    for (const auto name : kGeneratedNames) names_.emplace(name);
    for (const std::string& name : AsmFrame::EntryNames()) names_.insert(host::FoldCase(name));
}

void ReservedNames::AddDefinitionsOf(const std::string& path, const std::string& includeFolder) {
    AddFile(path, includeFolder, 0);
}

void ReservedNames::AddFile(const std::string& path, const std::string& includeFolder, int depth) {
    if (depth > kMaxIncludeDepth || !read_.insert(path).second) return;
    std::string text;
    if (!platform::AtomicFile::Read(path, text)) return;
    const std::string folder = BuildPaths::FolderOf(path);
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = std::min(text.find('\n', from), text.size());
        std::string_view line(text.data() + from, end - from);
        line = Trimmed(line.substr(0, line.find(';')));
        AddLine(line, folder, includeFolder, depth);
        from = end + 1;
    }
}

// ".DEF name = r16", ".EQU name = 5", ".SET name = 1", "name:" and ".include "file"".
void ReservedNames::AddLine(std::string_view line, const std::string& folder, const std::string& includeFolder,
                            int depth) {
    if (line.empty()) return;
    if (line.front() != '.') {
        const std::string_view label = LeadingName(line);
        if (!label.empty() && line.substr(label.size()).starts_with(':')) names_.insert(host::FoldCase(label));
        return;
    }
    const std::string_view directive = LeadingName(line.substr(1));
    const std::string_view rest = Trimmed(line.substr(1 + directive.size()));
    const std::string folded = host::FoldCase(directive);
    if (folded == "def" || folded == "equ" || folded == "set") {
        const std::string_view name = LeadingName(rest);
        if (!name.empty()) names_.insert(host::FoldCase(name));
    } else if (folded == "include" && rest.size() > 2 && rest.front() == '"') {
        const std::string file(rest.substr(1, rest.find('"', 1) - 1));
        if (file.starts_with('/')) return AddFile(file, includeFolder, depth + 1);
        AddFile(folder + file, includeFolder, depth + 1);
        if (!includeFolder.empty()) AddFile(BuildPaths::WithoutTrailingSlash(includeFolder) + "/" + file, includeFolder, depth + 1);
    }
}

bool ReservedNames::Contains(std::string_view name) const {
    const std::string folded = host::FoldCase(name);
    if (names_.contains(folded)) return true;
    for (const auto prefix : kGeneratedPrefixes)
        if (folded.starts_with(prefix)) return true;
    return false;
}

std::optional<ReservedNames::Clash> ReservedNames::FirstClash(script::StatementReader& reader,
                                                              const host::EditorAccess& editor) const {
    std::optional<Clash> clash;
    script::StatementWalk::EveryStatement(reader, [&](const script::Statement& statement, int) {
        const auto label = script::StatementPieces::LabelOf(statement.text);
        if (!label || script::LabelCollector::IsLabelName(*label)) return true;
        for (const std::string& name : SymbolCollector::DeclaredNames(statement.text)) {
            if (!Contains(name)) continue;
            clash = Clash{editor.LineFromPosition(reader.Start()) + 1, reader.Span(), statement.text, name};
            return false;
        }
        return true;
    });
    return clash;
}

}  // namespace orvane::compiler
