// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "core/commands/CommandFile.h"
#include "core/platform/AtomicFile.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "core/tools/CommandForm.h"
#include "core/tools/CommandListEditor.h"
#include "core/tools/CommandTexts.h"
#include "tests/support/CommandPrinting.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempDir.h"

namespace orvane::test {
namespace {

using commands::CommandDef;
using tools::CommandForm;
using tools::CommandListEditor;
using tools::CommandTexts;

commands::CommandTable Shipped() {
    commands::CommandTable table;
    commands::CommandFile::ReadFile(std::string(ORVANE_DATA_DIR) + "/Komendy.ini", table, nullptr);
    return table;
}

CommandDef Named(const std::string& name) {
    tools::CommandFields fields;
    fields.name = name;
    return CommandForm::Take(fields);
}

TEST(CommandTexts, ShowCommandsInTheListsExactForms) {
    const commands::CommandTable table = Shipped();
    ASSERT_NE(table.Find("ServoSet"), nullptr);
    ASSERT_NE(table.Find("ServoReadS"), nullptr);
    const CommandDef& set = *table.Find("ServoSet");
    EXPECT_EQ(CommandTexts::ListLine(set), "ServoSet(A1:1,A2:1,A3:1,A4:1,A5:2)");
    EXPECT_EQ(CommandTexts::ListLine(*table.Find("ServoReadS")), "ServoReadS(A1:1):2");
    EXPECT_EQ(CommandTexts::ListLine(Named("Reset")), "Reset()");
    EXPECT_EQ(CommandTexts::ArgumentLine(5, set.arguments[4]), "A5: Pozycja [us] [2B] (*1/1+0)");

    EXPECT_EQ(host::Cp1250ToUtf8(CommandTexts::Description(*table.Find("ServoReadS"))),
              "Odczytuje pozycję serwa w stopniach\n\nNazwa:\t\t\tServoReadS\nKomenda ASM:\t\tServoR"
              "\nIdentyfikator:\t\tr\nWartość zwracana:\t2b ((X-1000)*9/50)\nArgumenty:\t\t1"
              "\n\t1) Numer serwa (1-16) [1b] (*1/1+0)");
    EXPECT_EQ(host::Cp1250ToUtf8(CommandTexts::Description(Named("Reset"))),
              "\n\nNazwa:\t\t\tReset\nKomenda ASM:\t\t\nIdentyfikator:\t\t\nWartość zwracana:\tBRAK"
              "\nArgumenty:\t\tBRAK");
}

TEST(CommandForm, TakesTheFieldsAsTheFileWillGiveThemBack) {
    tools::CommandFields fields;
    fields.name = "  Obrot ";
    fields.identifier = "";
    fields.resultIndex = 2;
    fields.constant = "";
    fields.multiplier = "12abc";
    fields.divisor = "0";
    fields.arguments = {CommandForm::TakeArgument({1, "-3", "-5", "x", "kąt"}),
                        CommandForm::TakeArgument({0, "", "", "", ""})};
    EXPECT_EQ(CommandForm::Check(fields), "");
    CommandDef want = Named("Obrot");
    want.resultSize = 2;
    want.resultMultiplier = 12;
    want.argumentCount = 2;
    want.arguments[0] = {2, -3, 1, 0, "kąt"};
    want.arguments[1] = {1, 0, 1, 0, ""};
    EXPECT_EQ(CommandForm::Take(fields), want);
    EXPECT_EQ(CommandForm::From(want).divisor, "1");
}

TEST(CommandForm, RefusesWhatTheCommandFileWouldLose) {
    struct Row {
        const char* name;
        const char* identifier;
        std::size_t arguments;
        std::size_t descriptionLength;
        const char* reason;
    };
    const Row rows[] = {
        {"  ", "A", 0, 0, "Podaj nazwę"},
        {"!!!", "A", 0, 0, "koniec listy"},
        {"Ok", "AB", 0, 0, "jeden znak"},
        {"Ok", "A", 11, 0, "najwyżej 10 argumentów"},
        {"Ok", "A", 0, 500, "najwyżej 499"},
        {"Ok", "A", 10, 499, ""},
    };
    for (const Row& row : rows) {
        tools::CommandFields fields;
        fields.name = host::Pl(row.name);
        fields.identifier = row.identifier;
        fields.arguments.resize(row.arguments);
        fields.description.assign(row.descriptionLength, 'x');
        const std::string reason = host::Cp1250ToUtf8(CommandForm::Check(fields));
        if (*row.reason == '\0') EXPECT_EQ(reason, "") << row.name;
        else EXPECT_NE(reason.find(row.reason), std::string::npos) << row.name << ": " << reason;
    }
    tools::CommandFields ten;
    ten.arguments.resize(10);
    EXPECT_FALSE(CommandForm::CanAddArgument(ten));
}

TEST(CommandListEditor, NamesStayUniqueWithoutRegardToCase) {
    CommandListEditor editor(Shipped());
    std::size_t set = 0;
    while (editor.Record(set).name != "ServoSet") ++set;
    EXPECT_NE(editor.NameConflict(" servoset ", std::nullopt), "");
    EXPECT_NE(editor.NameConflict("SERVOREAD", set), "");
    EXPECT_EQ(editor.NameConflict(editor.Record(set).name, set), "");  // keeps its own name
    EXPECT_EQ(editor.NameConflict("ServoSetNowy", std::nullopt), "");

    // A file that already holds two of a name: each keeps it, and each is edited by its place.
    commands::CommandTable twins;
    twins.AddNewest(Named("Twin"));
    twins.AddNewest(Named("twin"));
    CommandListEditor both(twins);
    EXPECT_EQ(both.NameConflict("twin", 1), "");
    EXPECT_NE(both.NameConflict("TWIN", std::nullopt), "");
    both.Remove(1);
    ASSERT_EQ(both.Table().Size(), 1u);
    EXPECT_EQ(both.Table().NewestFirst()[0].name, "twin");
}

// Zapisz of an added command is driven through the window; odd texts' round trip is the file's.
TEST(CommandListEditor, ZapiszWritesTheTableNewestFirstAndAnEmptyTableAsAnEmptyFile) {
    TempDir dir;
    const std::string path = dir.Path() + "/Komendy.ini";
    host::MemorySettings settings;
    settings.WriteString("Plik komend", path);
    ScriptedFileChooser files;
    ScriptedPrompts prompts;
    CommandListEditor editor(Shipped());
    editor.Add(Named("Zzz"));
    editor.Remove(editor.Lines().front().record);
    tools::CommandFields renamed = CommandForm::From(editor.Record(0));
    renamed.name = "Nowa";
    editor.Replace(0, CommandForm::Take(renamed));
    ASSERT_TRUE(editor.Save(settings, files, prompts));
    commands::CommandTable back;
    ASSERT_TRUE(commands::CommandFile::ReadFile(path, back, nullptr));
    std::vector<CommandDef> expected = editor.Table().NewestFirst();
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(back.NewestFirst(), expected);
    EXPECT_EQ(back.NewestFirst().front().name, "Zzz") << "added at the end of the table: the last section";

    CommandListEditor emptied(back);
    while (!emptied.Table().Empty()) emptied.Remove(0);
    ASSERT_TRUE(emptied.Save(settings, files, prompts));
    std::string bytes;
    ASSERT_TRUE(platform::AtomicFile::Read(path, bytes));
    EXPECT_EQ(bytes, "");
    EXPECT_TRUE(prompts.Boxes().empty());
}

}  // namespace
}  // namespace orvane::test
