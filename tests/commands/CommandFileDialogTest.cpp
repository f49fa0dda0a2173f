#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "core/commands/CommandFile.h"
#include "core/host/AtomicFile.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempDir.h"

namespace orvane::commands {
namespace {

CommandDef Named(std::string name) {
    CommandDef def;
    def.name = std::move(name);
    return def;
}

using host::Answer;

const char* const kFilter = "Piki INI (*.ini)|*.ini|Wszystkie pliki (*.*)|*.*|";
const std::string kTwoCommands = "[Komenda1]\r\nNazwa=A\r\n\r\n[Komenda2]\r\nNazwa=B\r\n";

// Scripted answers, with something the test does while a box is up (the user fixing things).
class ActingPrompts : public test::ScriptedPrompts {
public:
    std::function<void()> onAsk;
    Answer Ask(const std::string& caption, const std::string& text, host::Buttons buttons,
               host::Icon icon) override {
        if (onAsk) onAsk();
        return ScriptedPrompts::Ask(caption, text, buttons, icon);
    }
};

class CommandFileDialogTest : public ::testing::Test {
protected:
    std::string Read(const std::string& path) {
        std::string bytes;
        EXPECT_TRUE(host::AtomicFile::Read(path, bytes));
        return bytes;
    }
    void Load() { CommandFile::Load(table, settings, files, prompts, dir / "Komendy.ini"); }
    bool Write() { return CommandFile::Write(table, settings, files, prompts); }
    void ExpectOpenDialog(std::size_t i, const std::string& initialName) {
        ASSERT_LT(i, files.Requests().size());
        const auto& r = files.Requests()[i];
        EXPECT_FALSE(r.save);
        EXPECT_EQ(r.request.filter, kFilter);
        EXPECT_EQ(r.request.defaultExtension, "*.ini");
        EXPECT_EQ(r.request.initialName, initialName);
    }
    void ExpectRetryBox(std::size_t i, const std::string& path) {
        ASSERT_LT(i, prompts.Boxes().size());
        const auto& box = prompts.Boxes()[i];
        EXPECT_EQ(box.caption, "Błąd zapisu do pliku");
        EXPECT_EQ(box.text, "Błąd otwarcia pliku komend: " + path + "\n\nCzy kontynuować pracę?");
        EXPECT_EQ(box.buttons, host::Buttons::YesNo);
    }

    test::TempDir dir;
    CommandTable table;
    host::MemorySettings settings;
    test::ScriptedFileChooser files;
    ActingPrompts prompts;
};

TEST_F(CommandFileDialogTest, LoadReadsTheDefaultFileAndStoresItsPath) {
    ASSERT_TRUE(host::AtomicFile::Write(dir / "Komendy.ini", kTwoCommands));
    table.AddNewest(Named("old"));
    Load();
    EXPECT_EQ(table.Size(), 2u);
    EXPECT_EQ(table.NewestFirst()[0].name, "B");
    EXPECT_EQ(settings.ReadString("Plik komend", ""), dir / "Komendy.ini");
    EXPECT_TRUE(files.Requests().empty());
    EXPECT_TRUE(prompts.Boxes().empty());
}

TEST_F(CommandFileDialogTest, LoadAsksForTheFileUntilOneExistsOrTheUserCancels) {
    settings.WriteString("Plik komend", dir / "gone.ini");
    std::filesystem::create_directory(dir / "folder.ini");
    ASSERT_TRUE(host::AtomicFile::Write(dir / "mine.ini", kTwoCommands));
    files.QueueChoice(dir / "missing.ini");
    files.QueueChoice(dir / "folder.ini");  // a folder is no file
    files.QueueChoice(dir / "mine.ini");
    Load();
    ASSERT_EQ(files.Requests().size(), 3u);
    ExpectOpenDialog(0, dir / "gone.ini");
    ExpectOpenDialog(1, dir / "missing.ini");
    ExpectOpenDialog(2, dir / "folder.ini");
    EXPECT_EQ(table.Size(), 2u);
    EXPECT_EQ(settings.ReadString("Plik komend", ""), dir / "mine.ini");
}

TEST_F(CommandFileDialogTest, CancellingTheLoadLeavesAnEmptyTableSilently) {
    settings.WriteString("Plik komend", dir / "gone.ini");
    table.AddNewest(Named("old"));
    Load();
    EXPECT_TRUE(table.Empty());
    EXPECT_EQ(files.Requests().size(), 1u);
    EXPECT_TRUE(prompts.Boxes().empty());
    EXPECT_EQ(settings.ReadString("Plik komend", ""), dir / "gone.ini");
}

TEST_F(CommandFileDialogTest, LoadShowsAllWarningsInOneBox) {
    ASSERT_TRUE(host::AtomicFile::Write(
        dir / "Komendy.ini", "[Komenda1]\r\nNazwa=A\r\nArgumenty=11\r\n[Komenda3]\r\nNazwa=C\r\n"));
    Load();
    EXPECT_EQ(table.Size(), 1u);
    ASSERT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(prompts.Boxes()[0].caption, "Komendy (OIK1)");
    EXPECT_EQ(prompts.Boxes()[0].text,
              "Komenda1 (A): Argumenty=11, a komenda może mieć najwyżej 10 argumentów; wczytano pierwsze 10.\n"
              "Pominięto sekcję Komenda3: lista komend kończy się na Komenda2 (brak sekcji).");
    EXPECT_EQ(prompts.Boxes()[0].buttons, host::Buttons::Ok);
}

TEST_F(CommandFileDialogTest, WriteReplacesTheFileNamedInTheSettings) {
    ASSERT_TRUE(host::AtomicFile::Write(dir / "k.ini", std::string(5000, 'x')));
    settings.WriteString("Plik komend", dir / "k.ini");
    table.AddNewest(Named("A"));
    EXPECT_TRUE(Write());
    EXPECT_EQ(Read(dir / "k.ini"), CommandFile::Serialize(table)) << "nothing of the longer old file is left";
    EXPECT_TRUE(prompts.Boxes().empty());
}

TEST_F(CommandFileDialogTest, WriteDefaultsToKomendyIniInTheWorkingFolder) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const bool written = Write();
    std::filesystem::current_path(previous);
    EXPECT_TRUE(written);
    EXPECT_EQ(Read(dir / "Komendy.ini"), "") << "an empty table writes an empty file";
    EXPECT_EQ(settings.ReadString("Plik komend", ""), "Komendy.ini");
}

TEST_F(CommandFileDialogTest, WriteOffersTheOpenDialogWhenThereIsNoFileToWrite) {
    settings.WriteString("Plik komend", dir / "no/such/folder.ini");
    table.AddNewest(Named("A"));
    EXPECT_FALSE(Write()) << "cancelled";
    ExpectOpenDialog(0, dir / "no/such/folder.ini");
    EXPECT_EQ(settings.ReadString("Plik komend", ""), dir / "no/such/folder.ini");

    files.QueueChoice(dir / "other.ini");
    EXPECT_TRUE(Write());
    EXPECT_EQ(Read(dir / "other.ini"), CommandFile::Serialize(table));
    EXPECT_EQ(settings.ReadString("Plik komend", ""), dir / "other.ini");
    EXPECT_TRUE(prompts.Boxes().empty());
}

TEST_F(CommandFileDialogTest, AFailedWriteAsksAgainAndNeverTruncatesTheFile) {
    // The name leaves no room for the temporary file beside it, so every write fails.
    const std::string path = dir / std::string(250, 'k');
    std::ofstream(path, std::ios::binary) << kTwoCommands;
    settings.WriteString("Plik komend", path);
    table.AddNewest(Named("A"));
    prompts.QueueAnswer(Answer::Yes);
    prompts.QueueAnswer(Answer::No);
    EXPECT_FALSE(Write());
    ASSERT_EQ(prompts.Boxes().size(), 2u);
    ExpectRetryBox(0, path);
    ExpectRetryBox(1, path);
    EXPECT_EQ(Read(path), kTwoCommands);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
        << "no temporary file is left behind";
}

TEST_F(CommandFileDialogTest, AReadOnlyFileIsWrittenOnceTheUserHasFreedIt) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
    const std::string path = dir / "k.ini";
    ASSERT_TRUE(host::AtomicFile::Write(path, kTwoCommands));
    ::chmod(path.c_str(), 0444);
    ::chmod(dir.Path().c_str(), 0555);
    settings.WriteString("Plik komend", path);
    table.AddNewest(Named("A"));
    prompts.QueueAnswer(Answer::No);
    EXPECT_FALSE(Write());
    EXPECT_EQ(Read(path), kTwoCommands);

    prompts.Clear();
    prompts.onAsk = [&] {
        ::chmod(dir.Path().c_str(), 0755);
        ::chmod(path.c_str(), 0644);
    };
    prompts.QueueAnswer(Answer::Yes);
    EXPECT_TRUE(Write());
    ASSERT_EQ(prompts.Boxes().size(), 1u);
    ExpectRetryBox(0, path);
    EXPECT_EQ(Read(path), CommandFile::Serialize(table));
}

}  // namespace
}  // namespace orvane::commands
