// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/compiler/TranslationHarness.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RowName.h"

namespace orvane::test {
namespace {

struct WarningRow {
    const char* name;
    std::string script;
    // "line code detail" for each warning, in the script's order; the detail may be left out.
    std::vector<std::string> expected;
};

std::vector<std::string> Warned(const std::string& script) {
    TranslationHarness harness(host::Pl(script.c_str()));
    harness.Run();
    std::vector<std::string> got;
    for (const auto& w : harness.context.Warnings())
        got.push_back(std::to_string(w.line) + " " + w.Code() + " " + host::Cp1250ToUtf8(w.detail));
    return got;
}

class EngineWarningsTest : public ::testing::TestWithParam<WarningRow> {};

TEST_P(EngineWarningsTest, WarnsExactlyWhereTheEnginesPart) {
    std::vector<std::string> got = Warned(GetParam().script);
    ASSERT_EQ(got.size(), GetParam().expected.size()) << ::testing::PrintToString(got);
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_TRUE(got[i].starts_with(GetParam().expected[i])) << got[i];
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EngineWarningsTest,
    ::testing::Values(
        WarningRow{"negative constant compared", "Var: x;\nif(x>-1) x=1;", {"2 RASM1 -1, w sterowniku 65535"}},
        WarningRow{"negative constant expression on the left", "Var: x;\nwhile(2-5<x) x=x+1;",
                   {"2 RASM1 -3, w sterowniku 65533"}},
        WarningRow{"variable given a negative value above", "Var: x,y;\ny=0-1;\nif(x<y) x=1;",
                   {"3 RASM1 zmienna y = -1, w sterowniku 65535, wiersz 2"}},
        WarningRow{"variable given a negative value further down", "Var: x,y;\nwhile(x<y) {\nx=x+1;\ny=0-3;\n}",
                   {"2 RASM1 zmienna y"}},
        WarningRow{"negative variable inside nested groups", "Var: x,y;\ny=0-1;\nif((x+(y*2))>=3) x=1;", {"3 RASM1"}},
        WarningRow{"constant above the word", "Var: x;\nx=70000;", {"2 RASM2 70000, w sterowniku 4464"}},
        WarningRow{"constant argument above the word", "Set(1,70000);", {"1 RASM2 70000"}},
        WarningRow{"fraction", "Var: x;\nx=2,5;", {"2 RASM2 2.5, w sterowniku 2"}},
        WarningRow{"division by a group worth 0", "Var: x;\nx=x/(1-1);", {"2 RASM3"}},
        WarningRow{"product beyond the word", "Var: x;\nx=300*300;", {"2 RASM4 90000, w sterowniku 24464"}},
        WarningRow{"constant group beyond the word", "Var: x;\nx=x+(256*256);", {"2 RASM4 65536, w sterowniku 0"}},
        WarningRow{"wrapped group divided", "Var: x;\nx=(256*256)/256;", {"2 RASM4 256, w sterowniku 0"}},
        WarningRow{"division with a remainder", "Var: x;\nx=7/2;", {"2 RASM4 3.5, w sterowniku 3"}},
        WarningRow{"each kind once per statement, in order", "Var: x;\nif(x/0<0-1) x=70000+70000;",
                   {"2 RASM1", "2 RASM3", "2 RASM2 70000", "2 RASM4 140000"}},
        WarningRow{"negative value assigned, never compared", "Var: x,y;\nx=0-5;\ny=x+1;\nif(y>2) y=0;", {}},
        WarningRow{"variable compared holds no negative", "Var: x,y;\ny=3;\nif(x<y) x=1;", {}},
        WarningRow{"largest word", "Var: x;\nx=65535;\nif(x<=255*257) x=0;", {}},
        WarningRow{"negative group inside a result in range", "Var: x;\nx=(2-5)+10;", {}},
        WarningRow{"negative argument of a call compared", "Var: x;\nif(Read(0-1)<x) x=1;", {}}),
    RowName<&WarningRow::name>{});

// The shipped examples and the scripts whose results the two engines share compile without a
// word more; the one whose results differ by design is warned about at each such statement.
TEST(EngineWarnings, OnlyScriptsWhoseEnginesDifferAreWarnedAbout) {
    namespace fs = std::filesystem;
    std::vector<fs::path> quiet;
    for (const auto& entry : fs::recursive_directory_iterator(ORVANE_DATA_DIR "/examples"))
        if (entry.path().extension() == ".orv") quiet.push_back(entry.path());
    for (const auto& entry : fs::directory_iterator(ORVANE_DATA_DIR "/../tests/difftest/scripts"))
        if (ReadWhole(entry.path().string()).find("// expect run:") == std::string::npos) quiet.push_back(entry.path());
    ASSERT_GE(quiet.size(), 15u);
    for (const auto& path : quiet) EXPECT_EQ(Warned(ReadWhole(path.string())), std::vector<std::string>{}) << path;

    const auto differing = Warned(ReadWhole(ORVANE_DATA_DIR "/../tests/difftest/scripts/constant_condition.orv"));
    EXPECT_EQ(differing, (std::vector<std::string>{"6 RASM2 65536, w sterowniku 0", "7 RASM2 65537, w sterowniku 1",
                                                   "8 RASM2 65536, w sterowniku 0", "9 RASM2 65537, w sterowniku 1"}));
}

}  // namespace
}  // namespace orvane::test
