// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "app/editor/SyntaxFormat.h"
#include "app/editor/WordList.h"

namespace orvane::host {
class Prompts;
}

namespace orvane::app::editor {

// A function's call tip: its name, the hint shown after "(" and a third field kept beside it.
struct FunctionHint {
    std::string name;
    std::string hint;
    std::string extra;
};

// The four word dictionaries of the editor (CP1250 text files in the data folder): what the
// colouring looks words up in, what completion offers and what call tips show.
class Dictionaries {
public:
    static constexpr std::string_view kKeyWordsFile = "DicKeyWord.txt";
    static constexpr std::string_view kTypesFile = "DicTypes.txt";
    static constexpr std::string_view kConstantsFile = "DicConstants.txt";
    static constexpr std::string_view kFunctionsFile = "DicFunctions.txt";

    // Reads the four files from `folder` in that order. A file that cannot be opened is told in
    // an "Error" box and the next one is read; words already known are not added again, so
    // loading twice changes nothing.
    void Load(const std::string& folder, orvane::host::Prompts& prompts);

    // A line of the functions file: name TAB hint TAB extra. The name ends at the first tab and
    // the extra field starts after the last one, so a single tab gives an empty hint; a line
    // without a tab names nothing and is skipped.
    static bool ParseFunctionLine(std::string_view line, FunctionHint& out);
    // Function names for completion and their hints, as if read from the functions file.
    void AddFunctions(std::vector<FunctionHint> functions);

    const WordList& AllWords() const { return all_; }
    const WordList& KeyWords() const { return keyWords_; }
    const WordList& Types() const { return types_; }
    const WordList& Constants() const { return constants_; }
    const WordList& FunctionNames() const { return functionNames_; }
    // The hint of the first function read with exactly this name; null when there is none.
    const FunctionHint* FindFunction(std::string_view name) const;

    // The word rules of the colouring, first match wins: all digits, key word, type, constant;
    // anything else stays plain. Lookups are exact and do not depend on the list sizes.
    Format Classify(std::string_view word) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    using WordSet = std::unordered_set<std::string, Hash, std::equal_to<>>;

    void AddWords(std::vector<std::string> words, WordList& list, WordSet& set);

    WordList all_, keyWords_, types_, constants_, functionNames_;
    WordSet keyWordSet_, typeSet_, constantSet_;
    std::vector<FunctionHint> functions_;
    std::unordered_map<std::string, std::size_t, Hash, std::equal_to<>> functionIndex_;
};

}  // namespace orvane::app::editor
