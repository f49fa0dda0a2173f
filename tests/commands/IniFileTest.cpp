// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "core/commands/IniFile.h"
#include "core/host/Cp1250.h"

namespace orvane::commands {
namespace {

using host::Pl;
const std::string kNone = "<none>";
const std::string k600(600, 'x');
const std::string k499(499, 'x');

std::string Utf16Le(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (char16_t c : text) out += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return out;
}

TEST(IniFileTest, ReadsValuesWithThePlatformsRules) {
    const struct {
        const char* what;
        std::string file, section, key, expected;  // kNone: the fallback comes back
    } rows[] = {
        {"case ignored", "[KOMENDA1]\r\nnAZWA=x\r\n", "Komenda1", "Nazwa", "x"},
        {"Polish letters fold too", Pl("[Sekcja Ł]\r\nKlucz Ż=v"), Pl("sekcja ł"), Pl("KLUCZ ż"), "v"},
        {"blanks dropped", "[s]\r\n  Nazwa ASM \t=  Servo S \t\x1a\r\n", " s ", "Nazwa ASM\t", "Servo S"},
        {"first key wins", "[s]\nk=1\nK=2\n", "s", "k", "1"},
        {"CR-only lines", "[s]\rj=1\rk=v\r", "s", "k", "v"},
        {"comments are no keys", "[s]\n;k=1\nk=2", "s", "k", "2"},
        {"a line without '=' hides later twins", "[s]\nk\nk=2", "s", "k", kNone},
        {"matching quotes dropped", "[s]\nk=\"  x \"", "s", "k", "  x "},
        {"unmatched quote stays", "[s]\nk=\"z", "s", "k", "\"z"},
        {"split at the first '='", "[s]\nk==a=b", "s", "k", "=a=b"},
        {"section name runs to the last ']'", "[a]b] \nk=v", "a]b", "k", "v"},
        {"keys before any section unreachable", "k=v\n[s]\n", "s", "k", kNone},
        {"a value ends at NUL", std::string("[s]\nk=ab\0cd\n", 12), "s", "k", "ab"},
        {"CP1250 bytes kept", "[s]\nk=\xB9\xE6\x9C\x81", "s", "k", "\xB9\xE6\x9C\x81"},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF[s]\nk=\xC4\x85\xC5\x82", "s", "k", Pl("ął")},
        {"UTF-16 byte-order mark", Utf16Le(u"[s]\r\nk=\u0105\u0142"), "s", "k", Pl("ął")},
        {"cut to 499", "[s]\nk=" + k600, "s", "k", k499},
        {"missing section", "[t]\nk=v", "s", "k", kNone},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(IniFile::FromBytes(row.file).GetString(row.section, row.key, kNone), row.expected);
    }
}

TEST(IniFileTest, WriterLeavesCrLfLinesAndABlankLineBetweenSections) {
    IniFile ini;
    ini.SetString("A", "k", "1");
    ini.SetInt("B", "k", -2);
    ini.SetString("a", "j", "3");  // the existing section, whatever its case
    ini.SetString("A", "K", "9");  // replaces the first key of that name
    EXPECT_EQ(ini.ToBytes(), "[A]\r\nk=9\r\nj=3\r\n\r\n[B]\r\nk=-2\r\n");
}

TEST(IniFileTest, EveryWrittenValueReadsBackAsItWas) {
    const std::pair<std::string, std::string> rows[] = {
        {"  lead", "  lead"}, {"trail\t", "trail\t"}, {"\"q\"", "\"q\""}, {"\"", "\""}, {"x=y;z", "x=y;z"},
        {"[not]", "[not]"}, {"", ""},
        {"a\r\nb", "a  b"}, {std::string("n\0l", 3), "n l"},  // a line cannot hold these
    };
    IniFile ini;
    for (std::size_t i = 0; i < std::size(rows); ++i) ini.SetString("s", std::to_string(i), rows[i].first);
    const IniFile back = IniFile::FromBytes(ini.ToBytes());
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].first);
        EXPECT_EQ(back.GetString("s", std::to_string(i), kNone), rows[i].second);
    }
    EXPECT_EQ(back.SectionNames(), std::vector<std::string>{"s"}) << "no line break leaked";
}

}  // namespace
}  // namespace orvane::commands
