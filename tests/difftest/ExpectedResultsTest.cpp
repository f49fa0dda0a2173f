// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/difftest/EngineRuns.h"
#include "tests/support/ChildProcess.h"

namespace orvane::test {
namespace {

// What a script's "// expect" lines say one engine must give: the variables' words and the
// captions of its boxes, in order. "// expect:" holds for both engines, "// expect run:" for the
// interpreter, "// expect compile:" for the compiled program (a box there: nothing is written).
struct Expectation {
    std::map<std::string, std::string> words;
    std::vector<std::string> captions;
};

struct ScriptFile {
    std::string text;
    std::map<std::string, Expectation> engines;  // "run", "compile"
};

ScriptFile Read(const std::filesystem::path& path) {
    ScriptFile file{ReadWhole(path.string()), {}};
    static const std::regex kLine(R"(// expect( run| compile)?:(.*))");
    static const std::regex kItem(R"re((\w+)=(\d+)|box "([^"]*)")re");
    std::istringstream lines(file.text);
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (!std::regex_match(line, m, kLine)) continue;
        const std::string scope = m[1].str();
        std::vector<Expectation*> into;
        if (scope != " compile") into.push_back(&file.engines["run"]);
        if (scope != " run") into.push_back(&file.engines["compile"]);
        const std::string items = m[2].str();
        for (std::sregex_iterator it(items.begin(), items.end(), kItem), end; it != end; ++it)
            for (Expectation* e : into) {
                if ((*it)[1].matched) e->words[(*it)[1].str()] = (*it)[2].str();
                else e->captions.push_back((*it)[3].str());
            }
    }
    return file;
}

// The first few: a run that never ends may repeat one box without end.
std::vector<std::string> Captions(const EngineOutcome& outcome) {
    std::vector<std::string> captions;
    for (std::size_t i = 0; i < outcome.boxes.size() && i < 5; ++i)
        captions.push_back(outcome.boxes[i].substr(0, outcome.boxes[i].find(" | ")));
    return captions;
}

void Check(const std::string& engine, const Expectation& expected, const EngineOutcome& got) {
    SCOPED_TRACE(Describe(engine, got));
    EXPECT_EQ(Captions(got), expected.captions);
    // A compile with a fault never reaches the controller.
    EXPECT_EQ(got.ended, engine == "run" || expected.captions.empty());
    if (!got.ended) return;
    for (const auto& [name, word] : expected.words) EXPECT_EQ(got.words.at(name), word) << name;
}

std::vector<std::string> ScriptPaths() {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(ORVANE_DIFFTEST_SCRIPTS))
        if (entry.path().extension() == ".orv") paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

class ScriptWithResults : public ::testing::TestWithParam<std::string> {};

TEST_P(ScriptWithResults, BothEnginesGiveWhatItExpects) {
    const ScriptFile file = Read(GetParam());
    ASSERT_EQ(file.engines.size(), 2u) << "no expectation for one of the engines";
    std::vector<std::string> names;
    for (const auto& [engine, expected] : file.engines)
        for (const auto& [name, word] : expected.words) names.push_back(name);
    Check("run", file.engines.at("run"), RunInterpreted(file.text, names, 100000));
    Check("compile", file.engines.at("compile"), RunCompiled(file.text, names));
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptWithResults, ::testing::ValuesIn(ScriptPaths()),
                         [](const auto& row) { return std::filesystem::path(row.param).stem().string(); });

}  // namespace
}  // namespace orvane::test
