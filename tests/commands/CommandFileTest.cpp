// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/commands/CommandFile.h"
#include "core/host/Cp1250.h"
#include "core/platform/AtomicFile.h"
#include "tests/support/CommandPrinting.h"

namespace orvane::commands {
namespace {

using host::Pl;
using Lines = std::vector<std::string>;

// Joins lines into a file with CR LF line ends.
std::string File(const Lines& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

CommandTable Parse(const std::string& bytes, Lines* warnings = nullptr) {
    CommandTable table;
    Lines raw;
    CommandFile::Parse(bytes, table, &raw);
    for (const auto& w : raw) if (warnings) warnings->push_back(host::Cp1250ToUtf8(w));
    return table;
}

Lines Names(const CommandTable& table) {
    Lines names;
    for (const auto& def : table.NewestFirst()) names.push_back(def.name);
    return names;
}

TEST(CommandFileTest, TheListEndsAtTheFirstSectionWithoutACommand) {
    const struct {
        const char* what;
        Lines file, newestFirst, warnings;
    } rows[] = {
        {"sections 1, 2 and 4", {"[Komenda1]", "Nazwa=A", "[Komenda2]", "Nazwa=B", "[Komenda4]", "Nazwa=D"},
         {"B", "A"}, {"Pominięto sekcję Komenda4: lista komend kończy się na Komenda3 (brak sekcji)."}},
        {"a command named !!!", {"[Komenda1]", "Nazwa=A", "[Komenda2]", "Nazwa=!!!", "[Komenda3]", "Nazwa=C", "[Komenda4]"},
         {"A"}, {"Pominięto sekcje Komenda3, Komenda4: lista komend kończy się na Komenda2 (Nazwa=!!!)."}},
        {"a section without Nazwa", {"[Komenda1]", "Nazwa=A", "[Komenda2]", "Opis=x", "[Komenda3]", "Nazwa=C"},
         {"A"}, {"Pominięto sekcję Komenda3: lista komend kończy się na Komenda2 (brak klucza Nazwa)."}},
        {"a repeated section", {"[Komenda1]", "Nazwa=A", "[komenda1]", "Nazwa=Z", "[KOMENDA2]", "nazwa="},
         {"", "A"}, {"Sekcja komenda1 powtarza się; wczytano tylko pierwszą."}},
        {"counts outside 0..10", {"[Komenda1]", "Nazwa=A", "Argumenty=12", "[Komenda2]", "Nazwa=B", "Argumenty=-3"},
         {"B", "A"},
         {"Komenda1 (A): Argumenty=12, a komenda może mieć najwyżej 10 argumentów; wczytano pierwsze 10.",
          "Komenda2 (B): Argumenty=-3; przyjęto 0 argumentów."}},
        {"blanks inside the brackets", {"[Komenda1 ]", "Nazwa=A", "[\tKomenda2]", "Nazwa=B", "[ Komenda3\t]", "Nazwa=C"},
         {"C", "B", "A"}, {}},
        {"misnamed command sections are told", {"[Komenda 1]", "Nazwa=A", "[komenda01]", "Nazwa=B", "[Inne]", "x=1"},
         {}, {"Pominięto sekcje Komenda 1, komenda01: sekcje komend nazywają się Komenda1, Komenda2, Komenda3 i tak dalej, bez przerw."}},
        {"a number past any count, never read as one", {"[Komenda1]", "Nazwa=A", "[Komenda9999999999]", "Nazwa=B"},
         {"A"}, {"Pominięto sekcję Komenda9999999999: sekcje komend nazywają się Komenda1, Komenda2, Komenda3 i tak dalej, bez przerw."}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Lines warnings;
        EXPECT_EQ(Names(Parse(File(row.file), &warnings)), row.newestFirst);
        EXPECT_EQ(warnings, row.warnings);
    }
}

int Id(const CommandDef& d) { return d.identifier; }
int Count(const CommandDef& d) { return d.argumentCount; }
int Arg2Size(const CommandDef& d) { return d.arguments[1].size; }
int Arg3Constant(const CommandDef& d) { return d.arguments[2].constant; }
int Arg1Divisor(const CommandDef& d) { return d.arguments[0].divisor; }
int ResultSize(const CommandDef& d) { return d.resultSize; }
int ResultDivisor(const CommandDef& d) { return d.resultDivisor; }

TEST(CommandFileTest, FieldsReadWithTheirDefaultsAndTheProfileReadersNumbers) {
    const struct {
        std::string line;
        int (*field)(const CommandDef&);
        int expected;
    } rows[] = {
        {"ID=AB", Id, 'A'}, {"Opis=no ID", Id, 0}, {"ID=\" \"", Id, ' '}, {"ID=\xB9", Id, 0xB9},
        {"Argumenty=99999999999", Count, 10}, {"Argumenty=abc", Count, 0},
        {"Argumenty=2", Arg2Size, 1}, {"Argumenty=1", Arg1Divisor, 1},
        {"Argumenty=3\r\nStala 3=-100", Arg3Constant, -100},
        {"Argumenty=2\r\nArgument 2=0x2", Arg2Size, 2}, {"Argumenty=1\r\nArgument 2=2", Arg2Size, 1},
        {"Wynik=2 bajty", ResultSize, 2}, {"Dzielnik=x", ResultDivisor, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        const CommandTable table = Parse(File({"[Komenda1]", "Nazwa=A", row.line}));
        ASSERT_EQ(table.Size(), 1u);
        EXPECT_EQ(row.field(table.NewestFirst()[0]), row.expected);
    }
}

// A later twin name shadows the earlier one; written back newest first, the twins swap.
TEST(CommandFileTest, WritingBackALoadedTableReversesItsSections) {
    const CommandTable loaded = Parse(File({"[Komenda1]", "Nazwa=A", "ID=a", "[Komenda2]", "Nazwa=B", "[Komenda3]", "Nazwa=A", "ID=c"}));
    ASSERT_NE(loaded.Find("A"), nullptr);
    EXPECT_EQ(loaded.Find("A")->identifier, 'c');
    const CommandTable back = Parse(CommandFile::Serialize(loaded));
    ASSERT_NE(back.Find("A"), nullptr);
    EXPECT_EQ(back.Find("A")->identifier, 'a');
}

TEST(CommandFileTest, RecordsSurviveAWriteAndAReadExceptWhatNoLineCanHold) {
    CommandTable table;
    for (int id : std::initializer_list<int>{' ', '"', '\'', '=', ';', '[', 0xB9, 0, 0xFF}) {
        CommandDef def;
        def.name = Pl("Żółw ") + std::to_string(id);
        def.description = "\"quoted\"";
        def.identifier = static_cast<std::uint8_t>(id);
        def.resultConstant = -2147483647 - 1;
        def.argumentCount = 10;
        for (auto& arg : def.arguments) arg = {3, -1, -7, -32768, "' x '"};
        table.AddNewest(def);
    }
    EXPECT_EQ(Parse(CommandFile::Serialize(Parse(CommandFile::Serialize(table)))).NewestFirst(), table.NewestFirst());

    CommandDef odd;
    odd.name = " Servo\t";
    odd.description = std::string(600, 'd');
    odd.asmName = "two\r\nlines";
    odd.identifier = '\n';
    table.Clear();
    table.AddNewest(odd);
    const CommandDef back = Parse(CommandFile::Serialize(table)).NewestFirst().at(0);
    EXPECT_EQ(back.name, "Servo") << "outer blanks of a text never survive a reload";
    EXPECT_EQ(back.description, std::string(499, 'd'));
    EXPECT_EQ(back.asmName, "two  lines");
    EXPECT_EQ(back.identifier, 0) << "no identifier rather than a wrong one";
}

TEST(CommandFileTest, TheSampleFileIsInTheWritersOwnForm) {
    std::string bytes;
    ASSERT_TRUE(platform::AtomicFile::Read(ORVANE_DATA_DIR "/Komendy.ini", bytes));
    Lines warnings;
    const CommandTable once = Parse(bytes, &warnings);
    EXPECT_EQ(once.Size(), 21u);
    EXPECT_TRUE(warnings.empty());
    // Two write-backs restore the file's own order; the bytes must not move.
    EXPECT_EQ(CommandFile::Serialize(Parse(CommandFile::Serialize(once))), bytes);
}

}  // namespace
}  // namespace orvane::commands
