// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/commands/CommandFile.h"
#include "core/compiler/CompileSettings.h"
#include "core/platform/AtomicFile.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "core/tools/CompileParamsForm.h"
#include "core/tools/SettingsForm.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempDir.h"

namespace orvane::tools {
namespace {

using host::Pl;

class FormsTest : public ::testing::Test {
protected:
    commands::CommandTable Table(std::initializer_list<const char*> names) {
        commands::CommandTable table;
        for (const char* name : names) {
            commands::CommandDef def;
            def.name = name;
            table.AddNewest(def);
        }
        return table;
    }

    test::TempDir dir;
    host::MemorySettings settings;
    test::ScriptedPrompts prompts;
    test::ScriptedFileChooser files;
};

TEST_F(FormsTest, CommandBoxesSelectByPrefixAndStoreBrakForNamesOutsideTheList) {
    const auto table = Table({});
    SettingsForm form(settings, prompts, table, dir / "Komendy.ini");
    settings.WriteString(SettingsForm::CommandKeys()[2], "servor");
    SettingsValues values = form.Open("ServoSetS;ServoSet;ServoReadS;ServoRead;");
    EXPECT_EQ(values.commandTexts[0], "ServoSet") << "the shorter name sorts first";
    EXPECT_EQ(values.commandTexts[2], "ServoRead") << "the stored text need only begin a name, in any case";

    values.commandTexts[1] = "ServoTypedByHand";
    values.commandFile = dir / "Komendy.ini";
    platform::AtomicFile::Write(values.commandFile, "");
    ASSERT_TRUE(form.Accept(values));
    EXPECT_EQ(settings.ReadString(SettingsForm::CommandKeys()[1], ""), "BRAK");

    const SettingsValues empty = form.Open("");
    EXPECT_TRUE(empty.commands[0].names.empty());
    ASSERT_TRUE(form.Accept(empty));
    for (const auto& key : SettingsForm::CommandKeys()) EXPECT_EQ(settings.ReadString(key, ""), "BRAK");
}

TEST_F(FormsTest, IntervalsAreStoredWhenTickedAndRefusedWhenNoNumberOfSeconds) {
    const auto table = Table({});
    SettingsForm form(settings, prompts, table, dir / "Komendy.ini");
    platform::AtomicFile::Write(dir / "Komendy.ini", "");
    SettingsValues values = form.Open("");
    values.intervals[0] = {true, " 5 "};
    values.intervals[1] = {false, "abc"};  // not ticked: the check is off, whatever the text
    ASSERT_TRUE(form.Accept(values));
    EXPECT_EQ(settings.ReadString("Sprawdzaj odpowiada co", ""), "5");
    EXPECT_EQ(settings.ReadString("Sprawdzaj NIE odpowiada co", ""), "0");

    for (const char* text : {"5s", "-1", "", "86401"}) {
        prompts.Clear();
        values.intervals[1] = {true, text};
        int bad = -1;
        EXPECT_FALSE(form.Accept(values, &bad)) << text;
        EXPECT_EQ(bad, 2) << text;
        ASSERT_EQ(prompts.Boxes().size(), 1u) << text;
        EXPECT_NE(prompts.Boxes()[0].text.find("„Gdy nie odpowiada”"), std::string::npos) << "names the field";
    }
    EXPECT_EQ(settings.ReadString("Sprawdzaj NIE odpowiada co", ""), "0") << "a refused OK stores nothing";
    settings.WriteString("Sprawdzaj odpowiada co", "-3");  // runs no check, as 0 does
    EXPECT_FALSE(form.Open("").intervals[0].checked);
}

TEST_F(FormsTest, ACommandFileNamedAnewMayBeCreatedFromTheLoadedCommands) {
    const auto table = Table({"ServoSet", "Czekaj"});
    SettingsForm form(settings, prompts, table, dir / "Komendy.ini");
    SettingsValues values = form.Open("ServoSet;Czekaj;");

    values.commandFile = Pl(dir / "nowe \"komendy\" źdźbło.ini");
    prompts.QueueAnswer(host::Answer::Yes);
    ASSERT_TRUE(form.Accept(values));
    std::string created;
    ASSERT_TRUE(platform::AtomicFile::Read(dir / "nowe \"komendy\" źdźbło.ini", created));
    EXPECT_EQ(created, commands::CommandFile::Serialize(table));
    EXPECT_EQ(settings.ReadString("Plik komend", ""), values.commandFile);

    values.commandFile = dir / "inne.ini";
    prompts.QueueAnswer(host::Answer::No);  // the loader asks for a file afterwards
    ASSERT_TRUE(form.Accept(values));
    EXPECT_FALSE(platform::AtomicFile::Exists(dir / "inne.ini"));
    EXPECT_EQ(settings.ReadString("Plik komend", ""), dir / "inne.ini");

    values.commandFile = "  ";
    EXPECT_FALSE(form.Accept(values));
}

// The defaults shown and stored on an untouched OK are checked through the window's settings file.
TEST_F(FormsTest, CompileParameterBrowsingKeepsTheFolderSlashAndStoresOnlyOnOk) {
    const std::string program = dir / "program/";
    CompileParamsForm form(settings, program);
    CompileParamsForm::Paths paths = form.Open();
    const compiler::CompileSettings compile(settings, program);
    paths[CompileParamsForm::kAppnotes] = Pl("/opt/avr ą");
    files.QueueChoice(std::nullopt);
    form.Browse(CompileParamsForm::kAppnotes, paths, files);
    EXPECT_EQ(paths[CompileParamsForm::kAppnotes], Pl("/opt/avr ą/")) << "the '/' stays after Cancel";
    files.QueueChoice("/x/inc/m8def.inc");
    form.Browse(CompileParamsForm::kAppnotes, paths, files);
    EXPECT_EQ(paths[CompileParamsForm::kAppnotes], "/x/inc/");
    EXPECT_EQ(files.Requests()[0].request.initialName, Pl("/opt/avr ą/m8def.inc"));
    EXPECT_EQ(files.Requests()[1].request.initialName, Pl("/opt/avr ą/m8def.inc"));

    files.QueueChoice("/my files/Pamięć.asm");
    form.Browse(CompileParamsForm::kMemory, paths, files);
    EXPECT_TRUE(settings.Values().empty()) << "nothing is stored before OK";

    form.Accept(paths);
    EXPECT_EQ(compile.MemoryDefinitionsFile(), "/my files/Pamięć.asm");
    EXPECT_EQ(compile.AppnotesFolder(), "/x/inc/");
}

}  // namespace
}  // namespace orvane::tools
