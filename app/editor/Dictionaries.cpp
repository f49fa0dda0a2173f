// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/Dictionaries.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "core/host/Cp1250.h"
#include "core/host/Prompts.h"

namespace orvane::app::editor {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The file's lines without their line ends; nullopt-like false when it cannot be opened.
bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // The files are CP1250; one saved with a UTF-8 byte-order mark is taken as UTF-8.
    if (bytes.starts_with(kUtf8Bom)) bytes = orvane::host::Utf8ToCp1250(std::string_view(bytes).substr(3));
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return true;
}

bool AllDigits(std::string_view word) {
    return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

void Dictionaries::Load(const std::string& folder, orvane::host::Prompts& prompts) {
    struct Source {
        std::string_view file;
        const char* failure;
        WordList* list;
        WordSet* set;
    };
    const Source sources[] = {
        {kKeyWordsFile, "Can't open Key Words dictionary", &keyWords_, &keyWordSet_},
        {kTypesFile, "Can't open Types dictionary", &types_, &typeSet_},
        {kConstantsFile, "Can't open Constants values dictionary", &constants_, &constantSet_},
        {kFunctionsFile, "Can't open Functions dictionary", nullptr, nullptr},
    };
    std::string base = folder;
    if (!base.empty() && base.back() != '/') base += '/';
    for (const Source& source : sources) {
        std::vector<std::string> lines;
        if (!ReadLines(base + std::string(source.file), lines)) {
            prompts.Tell("Error", source.failure, orvane::host::Icon::Error);
            continue;
        }
        if (source.list) {
            AddWords(std::move(lines), *source.list, *source.set);
            continue;
        }
        std::vector<FunctionHint> functions;
        for (const std::string& line : lines) {
            FunctionHint function;
            if (ParseFunctionLine(line, function)) functions.push_back(std::move(function));
        }
        AddFunctions(std::move(functions));
    }
}

void Dictionaries::AddFunctions(std::vector<FunctionHint> functions) {
    std::vector<std::string> names;
    names.reserve(functions.size());
    for (FunctionHint& function : functions) {
        names.push_back(function.name);
        // Lookups take the first entry of a name, so a later one of the same name is never seen.
        if (functionIndex_.contains(function.name)) continue;
        functionIndex_.emplace(function.name, functions_.size());
        functions_.push_back(std::move(function));
    }
    all_.AddAll(names);
    functionNames_.AddAll(std::move(names));
}

void Dictionaries::AddWords(std::vector<std::string> words, WordList& list, WordSet& set) {
    for (const std::string& word : words) {
        if (!word.empty()) set.insert(word);
    }
    all_.AddAll(words);
    list.AddAll(std::move(words));
}

bool Dictionaries::ParseFunctionLine(std::string_view line, FunctionHint& out) {
    const std::size_t first = line.find('\t');
    if (first == std::string_view::npos || first == 0) return false;
    const std::size_t last = line.rfind('\t');
    out.name = std::string(line.substr(0, first));
    out.hint = last > first ? std::string(line.substr(first + 1, last - first - 1)) : std::string();
    out.extra = std::string(line.substr(last + 1));
    return true;
}

const FunctionHint* Dictionaries::FindFunction(std::string_view name) const {
    const auto it = functionIndex_.find(name);
    return it == functionIndex_.end() ? nullptr : &functions_[it->second];
}

Format Dictionaries::Classify(std::string_view word) const {
    if (AllDigits(word)) return Format::Number;
    if (keyWordSet_.contains(word)) return Format::KeyWord;
    if (typeSet_.contains(word)) return Format::Type;
    if (constantSet_.contains(word)) return Format::Constant;
    return Format::Plain;
}

}  // namespace orvane::app::editor
