#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/commands/CommandFile.h"
#include "core/commands/IniFile.h"
#include "core/host/AtomicFile.h"
#include "core/host/Cp1250.h"
#include "tests/support/TempDir.h"

namespace orvane::commands {
namespace {

CommandDef Named(std::string name) {
    CommandDef def;
    def.name = std::move(name);
    return def;
}

using host::Pl;

// Joins lines into a file with CR LF line ends.
std::string File(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

struct Parsed {
    CommandTable table;
    std::vector<std::string> warnings;  // UTF-8
};

Parsed ParseText(const std::string& bytes) {
    Parsed p;
    std::vector<std::string> raw;
    CommandFile::Parse(bytes, p.table, &raw);
    for (const auto& w : raw) p.warnings.push_back(host::Cp1250ToUtf8(w));
    return p;
}

std::vector<std::string> Names(const CommandTable& table) {
    std::vector<std::string> names;
    for (const auto& def : table.NewestFirst()) names.push_back(def.name);
    return names;
}

TEST(CommandFileTest, TheListEndsAtTheFirstSectionWithoutACommand) {
    const struct {
        const char* what;
        std::string file;
        std::vector<std::string> newestFirst;
        std::vector<std::string> warnings;
    } rows[] = {
        {"sections 1, 2 and 4",
         File({"[Komenda1]", "Nazwa=A", "[Komenda2]", "Nazwa=B", "[Komenda4]", "Nazwa=D"}),
         {"B", "A"},
         {"Pominięto sekcję Komenda4: lista komend kończy się na Komenda3 (brak sekcji)."}},
        {"a command named !!!",
         File({"[Komenda1]", "Nazwa=A", "[Komenda2]", "Nazwa=!!!", "[Komenda3]", "Nazwa=C",
               "[Komenda4]", "Nazwa=D"}),
         {"A"},
         {"Pominięto sekcje Komenda3, Komenda4: lista komend kończy się na Komenda2 (Nazwa=!!!)."}},
        {"a section without Nazwa",
         File({"[Komenda1]", "Nazwa=A", "[Komenda2]", "Opis=x", "[Komenda3]", "Nazwa=C"}),
         {"A"},
         {"Pominięto sekcję Komenda3: lista komend kończy się na Komenda2 (brak klucza Nazwa)."}},
        {"section names in any case", File({"[KOMENDA1]", "nazwa=A", "[komenda2]", "NAZWA=B"}),
         {"B", "A"}, {}},
        {"a repeated section", File({"[Komenda1]", "Nazwa=A", "[Komenda1]", "Nazwa=Z"}), {"A"},
         {"Sekcja Komenda1 powtarza się; wczytano tylko pierwszą."}},
        {"other sections are no concern", File({"[Komenda01]", "Nazwa=A", "[Inne]", "x=1"}), {}, {}},
        {"an empty name is a command", File({"[Komenda1]", "Nazwa=", "[Komenda2]", "Nazwa=B"}),
         {"B", ""}, {}},
        {"empty file", "", {}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const Parsed p = ParseText(row.file);
        EXPECT_EQ(Names(p.table), row.newestFirst);
        EXPECT_EQ(p.warnings, row.warnings);
    }
}

TEST(CommandFileTest, TheIdentifierIsTheFirstCharacterOfItsValue) {
    const struct {
        std::string value;
        int expected;
    } rows[] = {{"ID=AB", 0x41}, {"ID=", 0}, {"Opis=no ID", 0}, {"ID=  Z ", 'Z'},
                {"ID=\" \"", ' '}, {"ID=\xB9", 0xB9}, {"ID=\"", '"'}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        const Parsed p = ParseText(File({"[Komenda1]", "Nazwa=A", row.value}));
        ASSERT_EQ(p.table.Size(), 1u);
        EXPECT_EQ(p.table.NewestFirst()[0].identifier, row.expected);
    }
}

TEST(CommandFileTest, ArgumentCountsOutsideTheRecordAreBroughtIntoRange) {
    const struct {
        std::string value;
        int count;
        std::string warning;
    } rows[] = {
        {"2", 2, ""},
        {"10", 10, ""},
        {"12", 10, "Komenda1 (Cmd): Argumenty=12, a komenda może mieć najwyżej 10 argumentów; wczytano pierwsze 10."},
        {"99999999999", 10, "Komenda1 (Cmd): Argumenty=1215752191, a komenda może mieć najwyżej 10 argumentów; wczytano pierwsze 10."},
        {"-3", 0, "Komenda1 (Cmd): Argumenty=-3; przyjęto 0 argumentów."},
        {"abc", 0, ""},
        {"", 0, ""},
        {"0x3", 3, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        std::initializer_list<std::string> lines = {"[Komenda1]", "Nazwa=Cmd", "Argumenty=" + row.value,
                                                    "Argument 11=2", "Argument 3=2"};
        const Parsed p = ParseText(File(lines));
        EXPECT_EQ(p.table.NewestFirst()[0].argumentCount, row.count);
        EXPECT_EQ(p.warnings, row.warning.empty() ? std::vector<std::string>{}
                                                  : std::vector<std::string>{row.warning});
    }
}

TEST(CommandFileTest, MissingKeysTakeTheirDefaultsAndNumbersReadAsTheProfileReaderGivesThem) {
    const Parsed p = ParseText(File({"[Komenda1]", "Nazwa=Cmd", "Argumenty=3", "Wynik=2 bajty",
                                     "Stala=-12", "Mnoznik=", "Dzielnik=x", "Argument 1=2",
                                     "Mnoznik 1=-10", "Dzielnik 1=3", "Stala 1=-100", "Opis 1=Pozycja",
                                     "Opis 3=trzeci", "Argument 4=2"}));
    CommandDef expected;
    expected.name = "Cmd";
    expected.argumentCount = 3;
    expected.resultSize = 2;
    expected.resultConstant = -12;
    expected.resultMultiplier = 1;  // empty: the default
    expected.resultDivisor = 0;     // not a number: 0, as the platform reads it
    expected.arguments[0] = {2, -10, 3, -100, "Pozycja"};
    expected.arguments[2].description = "trzeci";  // argument 2 has no keys at all: defaults
    EXPECT_EQ(p.table.NewestFirst()[0], expected);
}

TEST(CommandFileTest, DuplicateNamesFindTheOneLoadedLater) {
    const Parsed p = ParseText(File({"[Komenda1]", "Nazwa=Servo", "ID=a", "[Komenda2]", "Nazwa=Servo", "ID=b"}));
    ASSERT_NE(p.table.Find("Servo"), nullptr);
    EXPECT_EQ(p.table.Find("Servo")->identifier, 'b');
}

TEST(CommandFileTest, SerializeWritesTheExactKeysAndValueForms) {
    CommandTable table;
    CommandDef def;
    def.name = "ServoSet";
    def.description = Pl("Ustawia serwo");
    def.asmName = "ServoS";
    def.identifier = 'S';
    def.resultSize = 1;
    def.resultConstant = -5;
    def.argumentCount = 2;
    def.arguments[0] = {1, 1, 1, 0, "Numer"};
    def.arguments[1] = {2, 10, 3, -100, Pl("Prędkość")};
    table.AddNewest(def);
    CommandDef bare;
    bare.name = "Stop";
    table.AddOldest(bare);
    EXPECT_EQ(CommandFile::Serialize(table),
              File({"[Komenda1]", "Nazwa=ServoSet", Pl("Opis=Ustawia serwo"), "Nazwa ASM=ServoS", "ID=S",
                    "Argumenty=2", "Wynik=1", "Stala=-5", "Mnoznik=1", "Dzielnik=1", "Argument 1=1",
                    "Mnoznik 1=1", "Dzielnik 1=1", "Stala 1=0", "Opis 1=Numer", "Argument 2=2",
                    "Mnoznik 2=10", "Dzielnik 2=3", "Stala 2=-100", Pl("Opis 2=Prędkość"), "",
                    "[Komenda2]", "Nazwa=Stop", "Opis=", "Nazwa ASM=", "ID=", "Argumenty=0", "Wynik=0",
                    "Stala=0", "Mnoznik=1", "Dzielnik=1"}));
    EXPECT_EQ(CommandFile::Serialize(CommandTable()), "");
}

TEST(CommandFileTest, WritingBackALoadedTableReversesItsSections) {
    const Parsed loaded = ParseText(File({"[Komenda1]", "Nazwa=A", "[Komenda2]", "Nazwa=B", "[Komenda3]", "Nazwa=C"}));
    const std::string written = CommandFile::Serialize(loaded.table);
    const IniFile ini = IniFile::FromBytes(written);
    EXPECT_EQ(ini.GetString("Komenda1", "Nazwa", ""), "C");
    EXPECT_EQ(ini.GetString("Komenda2", "Nazwa", ""), "B");
    EXPECT_EQ(ini.GetString("Komenda3", "Nazwa", ""), "A");
}

TEST(CommandFileTest, AwkwardRecordsSurviveAWriteAndARead) {
    CommandTable table;
    const std::uint8_t ids[] = {' ', '"', '\'', '=', ';', '[', 0xB9, 0, 0xFF};
    for (std::uint8_t id : ids) {
        CommandDef def;
        def.name = Pl("Żółw ") + std::to_string(id);
        def.description = "\"quoted\"";
        def.identifier = id;
        def.resultConstant = -2147483647 - 1;
        def.argumentCount = 10;
        for (auto& arg : def.arguments) arg = {3, -1, -7, -32768, "' x '"};
        table.AddOldest(def);
    }
    const Parsed back = ParseText(CommandFile::Serialize(table));
    std::vector<CommandDef> reread = back.table.NewestFirst();
    std::reverse(reread.begin(), reread.end());
    EXPECT_EQ(reread, table.NewestFirst());
    EXPECT_TRUE(back.warnings.empty());
}

TEST(CommandFileTest, TextFieldsLoseOnlyWhatTheFileCannotKeep) {
    CommandTable table;
    CommandDef def;
    def.name = " Servo\t";
    def.description = std::string(600, 'd');
    def.asmName = "two\r\nlines";
    def.identifier = '\n';  // no line can hold it: written as no identifier
    table.AddNewest(def);
    const CommandDef back = ParseText(CommandFile::Serialize(table)).table.NewestFirst().at(0);
    EXPECT_EQ(back.name, "Servo");
    EXPECT_EQ(back.description, std::string(499, 'd'));
    EXPECT_EQ(back.asmName, "two  lines");
    EXPECT_EQ(back.identifier, 0);
}

TEST(CommandFileTest, LineEndsOfAnyKindReadTheSame) {
    const std::string crlf = File({"[Komenda1]", "Nazwa=A", "ID=a", "[Komenda2]", "Nazwa=B", "Argumenty=1", "Argument 1=2"});
    std::string lf = crlf, cr = crlf;
    lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
    cr.erase(std::remove(cr.begin(), cr.end(), '\n'), cr.end());
    const auto expected = ParseText(crlf).table.NewestFirst();
    ASSERT_EQ(expected.size(), 2u);
    EXPECT_EQ(ParseText(lf).table.NewestFirst(), expected);
    EXPECT_EQ(ParseText(cr).table.NewestFirst(), expected);
}

TEST(CommandFileTest, TheSampleFileIsInTheWritersOwnForm) {
    std::string bytes;
    ASSERT_TRUE(host::AtomicFile::Read(ORVANE_DATA_DIR "/Komendy.ini", bytes));
    const Parsed once = ParseText(bytes);
    EXPECT_EQ(once.table.Size(), 21u);
    EXPECT_TRUE(once.warnings.empty());
    ASSERT_NE(once.table.Find("ServoSet"), nullptr);
    // Two write-backs restore the file's own order; the bytes must not move.
    const Parsed twice = ParseText(CommandFile::Serialize(once.table));
    EXPECT_EQ(CommandFile::Serialize(twice.table), bytes);
}

TEST(CommandFileTest, ReadFileRefusesWhatIsNoFileAndReplacesTheTable) {
    test::TempDir dir;
    CommandTable table;
    table.AddNewest(Named("old"));
    std::vector<std::string> warnings;
    EXPECT_FALSE(CommandFile::ReadFile(dir.Path(), table, &warnings));
    EXPECT_FALSE(CommandFile::ReadFile(dir / "none.ini", table, nullptr));
    EXPECT_TRUE(table.Empty());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(host::Cp1250ToUtf8(warnings[0]), "Błąd odczytu pliku komend: " + dir.Path());

    ASSERT_TRUE(host::AtomicFile::Write(dir / "k.ini", File({"[Komenda1]", "Nazwa=A"})));
    table.AddNewest(Named("old"));
    EXPECT_TRUE(CommandFile::ReadFile(dir / "k.ini", table, nullptr));
    EXPECT_EQ(Names(table), std::vector<std::string>{"A"});
}

}  // namespace
}  // namespace orvane::commands
