#include <gtest/gtest.h>

#include <string>

#include "core/commands/IniFile.h"
#include "core/host/Cp1250.h"

namespace orvane::commands {
namespace {

using host::Pl;
const std::string kNone = "<none>";

std::string Utf16Le(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

struct LookupRow {
    const char* what;
    std::string file;
    std::string section;
    std::string key;
    std::string expected;  // kNone: the fallback comes back
};

TEST(IniFileTest, ReadsValuesWithThePlatformsRules) {
    const LookupRow rows[] = {
        {"case of section and key ignored", "[KOMENDA1]\r\nnAZWA=x\r\n", "Komenda1", "Nazwa", "x"},
        {"Polish letters fold too", Pl("[Sekcja Ł]\r\nKlucz Ż=v"), Pl("sekcja ł"), Pl("KLUCZ ż"), "v"},
        {"blanks around name and value", "[s]\r\n  Nazwa ASM \t=  Servo S \t\x1a\r\n", "s", "Nazwa ASM", "Servo S"},
        {"blanks around the asked names", "[s]\r\nk=v", " s ", " k\t", "v"},
        {"first key of a name wins", "[s]\nk=1\nK=2\n", "s", "k", "1"},
        {"first section of a name wins", "[s]\nk=1\n[S]\nk=2\n", "s", "k", "1"},
        {"a later twin section is never searched", "[s]\nk=1\n[S]\nj=3\n", "s", "j", kNone},
        {"LF-only lines", "[s]\nj=1\nk=v\n", "s", "k", "v"},
        {"CR-only lines", "[s]\rj=1\rk=v\r", "s", "k", "v"},
        {"comment lines are no keys", "[s]\n;k=1\nk=2", "s", "k", "2"},
        {"a line without '=' hides later twins", "[s]\nk\nk=2", "s", "k", kNone},
        {"empty value is a value", "[s]\nk=\n", "s", "k", ""},
        {"matching quotes are dropped", "[s]\nk=\"  x \"", "s", "k", "  x "},
        {"single quotes too", "[s]\nk='y'", "s", "k", "y"},
        {"only one pair", "[s]\nk=\"\"z\"\"", "s", "k", "\"z\""},
        {"unmatched quote stays", "[s]\nk=\"z", "s", "k", "\"z"},
        {"a lone quote stays", "[s]\nk=\"", "s", "k", "\""},
        {"value split at the first '='", "[s]\nk==a=b", "s", "k", "=a=b"},
        {"section name runs to the last ']'", "[a]b] \nk=v", "a]b", "k", "v"},
        {"header without ']' is a key line", "[s]\n[t\nk=v", "s", "k", "v"},
        {"keys before any section are unreachable", "k=v\n[s]\n", "s", "k", kNone},
        {"a value ends at NUL", std::string("[s]\nk=ab\0cd\n", 12), "s", "k", "ab"},
        {"CP1250 bytes kept", "[s]\nk=\xB9\xE6\x9C\x81", "s", "k", "\xB9\xE6\x9C\x81"},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF[s]\nk=\xC4\x85\xC5\x82", "s", "k", Pl("ął")},
        {"UTF-16 byte-order mark", Utf16Le(u"[s]\r\nk=\u0105\u0142"), "s", "k", Pl("ął")},
        {"empty file", "", "s", "k", kNone},
        {"missing section", "[t]\nk=v", "s", "k", kNone},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(IniFile::FromBytes(row.file).GetString(row.section, row.key, kNone), row.expected);
    }
}

TEST(IniFileTest, ValuesAreCutTo499Characters) {
    const std::string longValue(600, 'x');
    const IniFile ini = IniFile::FromBytes("[s]\r\nk=" + longValue + "\r\nq=\"" + longValue + "\"\r\n");
    EXPECT_EQ(ini.GetString("s", "k", ""), std::string(499, 'x'));
    EXPECT_EQ(ini.GetString("s", "q", ""), std::string(499, 'x'));
    EXPECT_EQ(ini.GetString("s", "none", longValue), std::string(499, 'x'));
}

TEST(IniFileTest, IntegersFallBackOnlyWhenMissingOrEmpty) {
    const IniFile ini = IniFile::FromBytes("[s]\nempty=\nquoted=\"-5\"\nword=abc\nnum= -3 \nbare\n");
    EXPECT_EQ(ini.GetInt("s", "missing", 7), 7);
    EXPECT_EQ(ini.GetInt("s", "empty", 7), 7);
    EXPECT_EQ(ini.GetInt("s", "bare", 7), 7);
    EXPECT_EQ(ini.GetInt("s", "quoted", 7), -5);
    EXPECT_EQ(ini.GetInt("s", "word", 7), 0);
    EXPECT_EQ(ini.GetInt("s", "num", 7), -3);
}

TEST(IniFileTest, WriterLeavesCrLfLinesAndABlankLineBetweenSections) {
    IniFile ini;
    ini.SetString("A", "k", "1");
    ini.SetInt("B", "k", -2);
    ini.SetString("a", "j", "3");  // the existing section, whatever its case
    ini.SetString("A", "K", "9");  // replaces the first key of that name
    EXPECT_EQ(ini.ToBytes(), "[A]\r\nk=9\r\nj=3\r\n\r\n[B]\r\nk=-2\r\n");
    EXPECT_EQ(IniFile().ToBytes(), "");
}

TEST(IniFileTest, EveryWrittenValueReadsBackAsItWas) {
    const struct {
        std::string value;
        std::string readBack;
    } rows[] = {
        {"plain", "plain"},         {"  lead", "  lead"},   {"trail\t", "trail\t"},
        {"\"q\"", "\"q\""},         {"'s'", "'s'"},         {"\"", "\""},
        {"\" ", "\" "},             {"x=y;z", "x=y;z"},     {"[not]", "[not]"},
        {"", ""},                   {" ", " "},             {Pl("żółć"), Pl("żółć")},
        {"a\r\nb", "a  b"},         {std::string("n\0l", 3), "n l"},
    };
    IniFile ini;
    for (std::size_t i = 0; i < std::size(rows); ++i) ini.SetString("s", "k" + std::to_string(i), rows[i].value);
    const IniFile back = IniFile::FromBytes(ini.ToBytes());
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(host::Cp1250ToUtf8(rows[i].value));
        EXPECT_EQ(back.GetString("s", "k" + std::to_string(i), kNone), rows[i].readBack);
    }
    EXPECT_EQ(back.SectionNames(), std::vector<std::string>{"s"}) << "no line break leaked into the file";
}

TEST(IniFileTest, RewritingAParsedFileKeepsItsCommentsAndOtherKeys) {
    IniFile ini = IniFile::FromBytes("; notes\r\n[s]\r\n; keep\r\nk = v\r\nbare\r\n");
    ini.SetString("s", "k", "w");
    EXPECT_EQ(ini.ToBytes(), "; notes\r\n\r\n[s]\r\n; keep\r\nk=w\r\nbare\r\n");
}

}  // namespace
}  // namespace orvane::commands
