// SPDX-License-Identifier: GPL-3.0-or-later
// The reference: every command of the table in use and every box has its entry, F1 on a word of
// each kind finds the right one, links lead somewhere, and text from the command file cannot
// break the pages.
#include <gtest/gtest.h>

#include <regex>

#include "core/commands/CommandFile.h"
#include "core/help/BoxCatalog.h"
#include "core/help/HelpMarkup.h"
#include "core/help/Reference.h"
#include "core/host/Cp1250.h"
#include "core/platform/AtomicFile.h"

namespace {

using orvane::help::HelpMarkup;
using orvane::help::HelpTopic;
using orvane::help::Reference;

std::string Source() {
    std::string text;
    orvane::platform::AtomicFile::Read(Reference::SourcePath(std::string(ORVANE_DATA_DIR) + "/"), text);
    return text;
}

orvane::commands::CommandTable ShippedCommands() {
    orvane::commands::CommandTable table;
    orvane::commands::CommandFile::ReadFile(std::string(ORVANE_DATA_DIR) + "/Komendy.ini", table, nullptr);
    return table;
}

orvane::commands::CommandDef OwnCommand() {
    orvane::commands::CommandDef def;
    def.name = "Chwytak";
    def.description = orvane::host::Pl("Zamyka <chwytak> | siłą");
    def.identifier = 'c';
    def.argumentCount = 1;
    def.arguments[0] = {2, 10, 3, 100, orvane::host::Pl("Siła [%]")};
    def.resultSize = 1;
    return def;
}

Reference Built() {
    auto table = ShippedCommands();
    table.AddNewest(OwnCommand());
    return Reference(Source(), table, {{"F5", "Uruchom", "Uruchamia skrypt"}});
}

TEST(Reference, EveryCommandOfTheTableInUseHasItsEntryWithEveryArgument) {
    const Reference reference = Built();
    auto table = ShippedCommands();
    table.AddNewest(OwnCommand());
    ASSERT_GT(table.Size(), 10u);
    for (const auto& def : table.NewestFirst()) {
        const HelpTopic* topic = reference.Lookup(orvane::host::Cp1250ToUtf8(def.name));
        ASSERT_NE(topic, nullptr) << def.name;
        const std::string text = reference.PageText(*topic);
        for (int i = 0; i < def.argumentCount; ++i)
            EXPECT_NE(text.find(orvane::host::Cp1250ToUtf8(def.arguments[static_cast<std::size_t>(i)].description)),
                      std::string::npos) << def.name << " argument " << i + 1;
    }
}

TEST(Reference, EveryBoxHasItsEntryShowingCaptionAndTextAndItsRowInTheList) {
    const Reference reference = Built();
    const HelpTopic* list = reference.Lookup("komunikaty");
    ASSERT_NE(list, nullptr);
    const std::string listed = reference.PageText(*list);
    for (const auto& box : orvane::help::BoxCatalog::All()) {
        EXPECT_NE(listed.find(box.code), std::string::npos) << box.code << " missing from the list";
        const HelpTopic* topic = reference.Lookup(box.code);
        ASSERT_NE(topic, nullptr) << box.code;
        EXPECT_EQ(topic->id, Reference::BoxTopicId(box.code));
        EXPECT_NE(topic->body.find(box.caption), std::string::npos) << box.code;
    }
}

TEST(Reference, F1OnAWordOfEachKindOpensItsEntry) {
    const Reference reference = Built();
    const std::string script = "Main:\nVar: odczyt, licznik;\nPetla:\nodczyt = ServoRead(1);\nGoTo(Petla);\n";
    const std::pair<const char*, const char*> rows[] = {
        {"ServoSet", "komenda-ServoSet"},  // a command of the shipped file
        {"Chwytak", "komenda-Chwytak"},    // the user's own command
        {"while", "petle"},                {"else", "warunki"},
        {"Var", "zmienne"},                {"GoTo", "etykiety"},
        {"Return", "podprogramy"},         {"Wait", "sterowanie"},
        {"tmp1", "asm"},                   // a register from the types dictionary
        {"Petla", "etykiety"},             // a label of this script
        {"licznik", "zmienne"},            // a variable declared in it
        {"O1", "komunikat-O1"},            {"OWK1", "komunikat-OWK1"},
        {"RASM3", "ostrzezenie-RASM3"},    // a warning of the compile
        {"Main", "etykiety"},
    };
    for (const auto& [word, id] : rows) {
        const HelpTopic* topic = reference.ForScriptWord(word, script);
        ASSERT_NE(topic, nullptr) << word;
        EXPECT_EQ(topic->id, id) << word;
    }
    EXPECT_EQ(reference.ForScriptWord("nieznane", script), nullptr);
    EXPECT_EQ(reference.ForScriptWord("", script), nullptr);
}

TEST(Reference, EveryLinkLeadsToATopic) {
    const Reference reference = Built();
    static const std::regex link(R"(href="([^"]+)\.html")");
    for (const HelpTopic& topic : reference.Topics()) {
        const std::string html = reference.PageHtml(topic);
        for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it)
            EXPECT_NE(reference.Find((*it)[1].str()), nullptr) << topic.id << " -> " << (*it)[1];
    }
}

TEST(Reference, TextFromTheCommandFileStaysText) {
    const Reference reference = Built();
    const HelpTopic* topic = reference.Find(Reference::CommandTopicId("Chwytak"));
    ASSERT_NE(topic, nullptr);
    const std::string html = reference.PageHtml(*topic);
    EXPECT_NE(html.find("Zamyka &lt;chwytak&gt; / siłą"), std::string::npos);
    EXPECT_NE(html.find("wartość × 10 / 3 + 100"), std::string::npos);
    EXPECT_EQ(Reference::CommandTopicId(orvane::host::Pl("Ruch/ą ._x")), "komenda-Ruch_2F_C4_85_20_2E_5Fx");
}

TEST(Reference, SearchFindsTopicsHoldingEveryWord) {
    const Reference reference = Built();
    const auto found = reference.Search("DZIELENIE zero");
    ASSERT_FALSE(found.empty());
    EXPECT_NE(std::find_if(found.begin(), found.end(), [](const HelpTopic* t) { return t->id == "roznice"; }), found.end());
    EXPECT_TRUE(reference.Search("dzielenie xyzzy").empty());
}

TEST(HelpMarkup, BlocksRenderAsHtmlAndAsText) {
    const std::string body = "## Tytuł\nakapit `x<1` i [[cel|łącze]]\n\n- a\n- b\n> kod  z odstępem\n| k | w |\n| [[cel|długie]] | 1 |\n";
    EXPECT_EQ(HelpMarkup::ToHtml(body),
              "<h2>Tytuł</h2>\n<p>akapit <code>x&lt;1</code> i <a href=\"cel.html\">łącze</a></p>\n"
              "<ul><li>a</li><li>b</li></ul>\n<pre>kod  z odstępem\n</pre>\n"
              "<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">\n<tr><th>k</th><th>w</th></tr>\n"
              "<tr><td><a href=\"cel.html\">długie</a></td><td>1</td></tr>\n</table>\n");
    EXPECT_EQ(HelpMarkup::ToText(body),
              "Tytuł\n-----\n\nakapit x<1 i łącze\n\n  * a\n  * b\n\n    kod  z odstępem\n\n"
              "  k       w\n  ---------\n  długie  1\n");
}

}  // namespace
