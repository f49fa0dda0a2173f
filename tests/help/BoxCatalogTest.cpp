// SPDX-License-Identifier: GPL-3.0-or-later
// Every message box the code can raise has its entry in the catalogue the help is built from.
// The check reads the sources as they are, so a box added tomorrow without an entry fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "core/help/BoxCatalog.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using orvane::help::BoxCatalog;
using orvane::test::TempDir;

// Code -> the caption literal that carries it ("" for a code carried in a box text).
std::map<std::string, std::string> CodesRaisedUnder(const std::vector<fs::path>& roots) {
    static const std::regex caption(R"re("([^"\n]*\(([A-Z]+[0-9]+)\))")re");
    static const std::regex inText(R"re(\b(OW[A-Z]{4})!)re");
    std::map<std::string, std::string> codes;
    for (const fs::path& root : roots) {
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            const auto ext = entry.path().extension();
            // The catalogue itself spells every caption: it cannot vouch for itself.
            const fs::path folder = entry.path().parent_path();
            const bool catalogue = folder.filename() == "help" && folder.parent_path().filename() == "core";
            if ((ext != ".cpp" && ext != ".h") || catalogue) continue;
            std::ifstream file(entry.path());
            std::stringstream text;
            text << file.rdbuf();
            const std::string source = text.str();
            for (std::sregex_iterator it(source.begin(), source.end(), caption), end; it != end; ++it)
                codes.emplace((*it)[2], (*it)[1]);
            for (std::sregex_iterator it(source.begin(), source.end(), inText), end; it != end; ++it)
                codes.emplace((*it)[1], "");
        }
    }
    return codes;
}

// Codes raised without an entry, or with an entry whose caption is not the one raised.
std::vector<std::string> Unexplained(const std::map<std::string, std::string>& raised) {
    std::vector<std::string> faults;
    for (const auto& [code, caption] : raised) {
        const auto* entry = BoxCatalog::Find(code);
        if (!entry) faults.push_back(code + ": no entry");
        else if (!caption.empty() && caption != entry->caption) faults.push_back(code + ": caption " + caption);
    }
    return faults;
}

std::vector<fs::path> Sources() {
    const fs::path root = ORVANE_SOURCE_DIR;
    return {root / "core", root / "app", root / "cli"};
}

TEST(BoxCatalog, EveryBoxTheSourcesRaiseHasItsEntryWithTheCaptionRaised) {
    const auto raised = CodesRaisedUnder(Sources());
    ASSERT_GT(raised.size(), 30u);  // the scan found the sources at all
    EXPECT_EQ(Unexplained(raised), std::vector<std::string>{});
}

TEST(BoxCatalog, EveryEntryIsABoxTheSourcesRaise) {
    const auto raised = CodesRaisedUnder({fs::path(ORVANE_SOURCE_DIR) / "core", fs::path(ORVANE_SOURCE_DIR) / "app"});
    for (const auto& entry : BoxCatalog::All()) EXPECT_TRUE(raised.count(entry.code)) << entry.code;
}

TEST(BoxCatalog, APlantedBoxWithoutEntryOrWithAnotherCaptionFails) {
    TempDir dir;
    std::ofstream(dir.Path() + "/New.cpp") << "prompts.Tell(host::Pl(\"Błąd (ZZQ7)\"), host::Pl(\"x\"));\n"
                                              "prompts.Tell(host::Pl(\"Błąd (O1)\"), host::Pl(\"y\"));\n"
                                              "Box(\"BŁĄD\", \"Błąd pliku OWQQQQ!\");\n";
    EXPECT_EQ(Unexplained(CodesRaisedUnder({dir.Path()})),
              (std::vector<std::string>{"O1: caption Błąd (O1)", "OWQQQQ: no entry", "ZZQ7: no entry"}));
}

TEST(BoxCatalog, CodeInFindsTheCatalogueCodeOfACaptionOrText) {
    const std::pair<const char*, const char*> rows[] = {
        {"BŁĄD (O1)", "O1"},           {"Tryb pracy(US3)", "US3"},
        {"BŁĄD RS (OOU2)", "OOU2"},    {"Błąd kompilacji OWPZKL!\nNadpis Systemu!", "OWPZKL"},
        {"Błąd (QQ9)", ""},            {"BŁĄD", ""},
        {"Brak etykiety", ""},
    };
    for (const auto& [caption, code] : rows) EXPECT_EQ(BoxCatalog::CodeIn(caption), code) << caption;
}

}  // namespace
