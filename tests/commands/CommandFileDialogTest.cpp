// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/commands/CommandFile.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "core/platform/AtomicFile.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempDir.h"

namespace orvane::commands {
namespace {

using Strings = std::vector<std::string>;
const std::string kTwoCommands = "[Komenda1]\r\nNazwa=A\r\n\r\n[Komenda2]\r\nNazwa=B\r\n";

class CommandFileDialogTest : public ::testing::Test {
protected:
    CommandFileDialogTest() {
        CommandDef def;
        def.name = "X";
        table.AddNewest(def);
    }
    std::string Read(const std::string& path) {
        std::string bytes;
        EXPECT_TRUE(platform::AtomicFile::Read(path, bytes));
        return bytes;
    }
    bool Load() { return CommandFile::Load(table, settings, files, prompts, dir / "Komendy.ini"); }
    bool Write() { return CommandFile::Write(table, settings, files, prompts); }
    std::string Setting() { return settings.ReadString("Plik komend", "<unset>"); }
    // The Open dialogs shown, by the path each starts from.
    Strings OpenDialogs() {
        Strings names;
        for (const auto& r : files.Requests()) names.push_back((r.save ? "save " : "") + r.request.initialName);
        return names;
    }

    test::TempDir dir;
    CommandTable table;
    host::MemorySettings settings;
    test::ScriptedFileChooser files;
    test::ScriptedPrompts prompts;
};

TEST_F(CommandFileDialogTest, LoadReadsTheDefaultFileAndShowsAllWarningsInOneBox) {
    ASSERT_TRUE(platform::AtomicFile::Write(dir / "Komendy.ini", "[Komenda1]\r\nNazwa=A\r\nArgumenty=11\r\n[Komenda3]\r\n"));
    Load();
    EXPECT_EQ(table.Size(), 1u);
    EXPECT_EQ(Setting(), dir / "Komendy.ini");
    EXPECT_TRUE(files.Requests().empty());
    // The warnings' own wording is the parser's; here they share one box, a line each.
    ASSERT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(prompts.Boxes()[0].caption, "Komendy (OIK1)");
    EXPECT_EQ(std::count(prompts.Boxes()[0].text.begin(), prompts.Boxes()[0].text.end(), '\n'), 1);
    EXPECT_EQ(prompts.Boxes()[0].buttons, host::Buttons::Ok);
}

TEST_F(CommandFileDialogTest, LoadAsksForTheFileUntilOneExistsOrTheUserCancels) {
    settings.WriteString("Plik komend", dir / "gone.ini");
    EXPECT_FALSE(Load());  // cancelled: an empty table, no message, the setting kept
    EXPECT_TRUE(table.Empty());
    EXPECT_TRUE(prompts.Boxes().empty());
    EXPECT_EQ(Setting(), dir / "gone.ini");

    std::filesystem::create_directory(dir / "folder.ini");
    ASSERT_TRUE(platform::AtomicFile::Write(dir / "mine.ini", kTwoCommands));
    for (const char* choice : {"missing.ini", "folder.ini"}) files.QueueChoice(dir / choice);
    // Chosen relative to where the program runs: stored whole, so it still names the file
    // when the program starts elsewhere.
    files.QueueChoice(std::filesystem::relative(dir / "mine.ini").string());
    EXPECT_TRUE(Load());
    EXPECT_EQ(OpenDialogs(), (Strings{dir / "gone.ini", dir / "gone.ini", dir / "missing.ini", dir / "folder.ini"}));
    EXPECT_EQ(table.Size(), 2u);
    EXPECT_EQ(Setting().front(), '/');
    EXPECT_TRUE(std::filesystem::equivalent(Setting(), dir / "mine.ini"));
}

// A file whose every read fails, for root too; a failing read must not pass for an empty file.
TEST_F(CommandFileDialogTest, AnUnreadableFileIsReported) {
    settings.WriteString("Plik komend", "/proc/self/mem");
    EXPECT_FALSE(Load());
    EXPECT_TRUE(table.Empty());
    EXPECT_EQ(prompts.Shown(), Strings{"Błąd odczytu pliku (OIK2) | Błąd odczytu pliku komend: /proc/self/mem"});
}

// Settings and dialogs spell paths in CP1250; the file system in UTF-8. A folder with Polish
// letters must hold the very file that is read and written, not a second one under a
// mangled name.
TEST_F(CommandFileDialogTest, APathWithPolishLettersNamesTheSameFileForReadAndWrite) {
    const std::string folder = dir / "Komendy \xC5\xBC\xC3\xB3\xC5\x82w";  // "żółw" in UTF-8
    std::filesystem::create_directory(folder);
    ASSERT_TRUE(platform::AtomicFile::Write(folder + "/k.ini", kTwoCommands));
    settings.WriteString("Plik komend", host::Utf8ToCp1250(folder + "/k.ini"));
    ASSERT_TRUE(Load());
    EXPECT_EQ(table.Size(), 2u);
    EXPECT_TRUE(files.Requests().empty());
    ASSERT_TRUE(Write());
    EXPECT_EQ(Read(folder + "/k.ini"), CommandFile::Serialize(table));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST_F(CommandFileDialogTest, WriteReplacesTheFileOffersTheOpenDialogOrDefaultsToKomendyIniHere) {
    settings.WriteString("Plik komend", dir / "no/such/folder.ini");
    EXPECT_FALSE(Write()) << "cancelled";
    EXPECT_EQ(OpenDialogs(), Strings{dir / "no/such/folder.ini"});
    EXPECT_EQ(Setting(), dir / "no/such/folder.ini");
    ASSERT_TRUE(platform::AtomicFile::Write(dir / "other.ini", std::string(5000, 'x')));
    files.QueueChoice(dir / "other.ini");
    EXPECT_TRUE(Write());
    EXPECT_EQ(Read(dir / "other.ini"), CommandFile::Serialize(table)) << "nothing of the longer old file is left";
    EXPECT_EQ(Setting(), dir / "other.ini");

    settings = host::MemorySettings();
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    EXPECT_TRUE(Write());
    std::filesystem::current_path(previous);
    EXPECT_EQ(Read(dir / "Komendy.ini"), CommandFile::Serialize(table));
    EXPECT_EQ(Setting(), "Komendy.ini");
    EXPECT_TRUE(prompts.Boxes().empty());
}

TEST_F(CommandFileDialogTest, AFailedWriteAsksAgainAndNeverTruncatesTheFile) {
    // The name leaves no room for the temporary file beside it, so every write fails.
    const std::string path = dir / std::string(250, 'k');
    std::ofstream(path, std::ios::binary) << kTwoCommands;
    settings.WriteString("Plik komend", path);
    prompts.QueueAnswer(host::Answer::Yes);
    prompts.QueueAnswer(host::Answer::No);
    EXPECT_FALSE(Write());
    const std::string retry = "Błąd zapisu do pliku | Błąd otwarcia pliku komend: " + path + "\n\nCzy kontynuować pracę?";
    EXPECT_EQ(prompts.Shown(), (Strings{retry, retry}));
    EXPECT_EQ(prompts.Boxes()[0].buttons, host::Buttons::YesNo);
    EXPECT_EQ(Read(path), kTwoCommands);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "no temporary file left";
}

// A first run copies the shipped definitions to the user's own file, and only then.
TEST(CommandFileDefaultTest, AFirstRunStartsFromTheShippedFileAndNeverOverwritesTheUsers) {
    test::TempDir dir;
    host::PlatformFolders folders;
    folders.programFolder = dir / "program/";
    folders.allUsersFolder = dir / "shared/ORVANE/";
    std::filesystem::create_directories(folders.programFolder);
    ASSERT_TRUE(platform::AtomicFile::Write(folders.programFolder + "Komendy.ini", "shipped"));
    host::MemorySettings settings;
    std::string bytes;

    const std::string path = CommandFile::PrepareDefault(settings, folders);
    EXPECT_EQ(path, folders.allUsersFolder + "Komendy.ini");
    ASSERT_TRUE(platform::AtomicFile::Read(path, bytes));
    EXPECT_EQ(bytes, "shipped");
    ASSERT_TRUE(platform::AtomicFile::Write(path, "edited by the user"));
    CommandFile::PrepareDefault(settings, folders);
    ASSERT_TRUE(platform::AtomicFile::Read(path, bytes));
    EXPECT_EQ(bytes, "edited by the user");

    std::filesystem::remove(path);
    settings.WriteString("Plik komend", "/elsewhere/Komendy.ini");
    CommandFile::PrepareDefault(settings, folders);
    EXPECT_FALSE(platform::AtomicFile::Exists(path)) << "a chosen file is the user's business";
}

}  // namespace
}  // namespace orvane::commands
