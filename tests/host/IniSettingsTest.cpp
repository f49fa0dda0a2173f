#include "core/host/IniSettingsFile.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include "core/host/Cp1250.h"
#include "core/host/IniSettingsEscaping.h"
#include "core/host/IniSettingsLock.h"
#include "core/platform/AtomicFile.h"
#include "tests/support/TempDir.h"

namespace orvane::host {
namespace {

TEST(IniSettingsEscapingTest, KeysAreSpelledAsTheSettingsLibrarySpellsThem) {
    const std::pair<const char*, const char*> rows[] = {
        {"COM", "COM"}, {"Baud Rate", "Baud%20Rate"}, {"Urządzenie COM1", "Urz%U0105dzenie%20COM1"},
        {"Plik pamięci", "Plik%20pami%U0119ci"}, {"a/b_c-d.e", "a\\b_c-d.e"},
        {"Zażółć", "Za%U017C%F3%U0142%U0107"},  // ó is below U+0100: two digits
    };
    for (const auto& [key, file] : rows) {
        EXPECT_EQ(IniSettingsEscaping::EscapeKey(Pl(key)), file) << key;
        EXPECT_EQ(IniSettingsEscaping::UnescapeKey(file), Pl(key)) << file;
    }
    EXPECT_EQ(IniSettingsEscaping::UnescapeKey("50%"), "50%");     // a lone % stays
    EXPECT_EQ(IniSettingsEscaping::UnescapeKey("%zz%U12"), "%zz%U12");
}

TEST(IniSettingsEscapingTest, ValuesAreQuotedAndEscapedOnlyWhereTheyMustBe) {
    const std::pair<const char*, const char*> rows[] = {
        {"ServoSet", "ServoSet"}, {"115,2k", "\"115,2k\""}, {"a=b;c", "\"a=b;c\""},
        {"C:\\konfig.asm", "C:\\\\konfig.asm"}, {" lead", "\" lead\""}, {"say \"hi\"", "say \\\"hi\\\""},
        {"@x", "@@x"}, {"Łódź", "Łódź"}, {"a\tb\n", "a\\tb\\n"},
        {"", ""}, {"\x01" "5", "\\x1\\x35"},  // a digit after \x.. is escaped too, or it would join it
    };
    for (const auto& [value, file] : rows) {
        EXPECT_EQ(IniSettingsEscaping::EscapeValue(Pl(value)), file) << value;
        EXPECT_EQ(IniSettingsEscaping::UnescapeValue(file), Pl(value)) << file;
    }
    const std::pair<const char*, const char*> read[] = {
        {"  x  ", "x"}, {"\"  x  \"", "  x  "}, {"a, b", "a,b"}, {"@Invalid()", ""}, {"\\101\\x42", "AB"}, {"trailing\\", "trailing"}};
    for (const auto& [file, value] : read) EXPECT_EQ(IniSettingsEscaping::UnescapeValue(file), value) << file;
}

class IniSettingsFileTest : public ::testing::Test {
protected:
    std::string Text() const {
        std::string text;
        platform::AtomicFile::Read(path, text);
        return text;
    }
    test::TempDir folder;
    std::string path = folder / "config/ORVANE/ORVANE.ini";
};

TEST_F(IniSettingsFileTest, WritesAreSharedWithOtherProgramsAtOnce) {
    IniSettingsFile cli(path);
    EXPECT_EQ(cli.ReadString("COM", "1"), "1");
    cli.WriteString("COM", "3");
    cli.WriteString("Baud Rate", "115,2k");
    cli.WriteString(Pl("Plik komend"), Pl("/home/ł/Komendy.ini"));
    EXPECT_EQ(Text(), "[ORVANE]\nPlik%20komend=/home/\xC5\x82/Komendy.ini\nBaud%20Rate=\"115,2k\"\nCOM=3\n");

    IniSettingsFile window(path);
    EXPECT_EQ(window.ReadString("baud rate", ""), "115,2k");
    EXPECT_EQ(window.ReadInt("COM", 1), 3);
    // The other program changes the file; the next read sees it, the next write keeps it.
    ASSERT_TRUE(platform::AtomicFile::Write(path, Text() + "\n[Window]\nsize=@Size(10 20)\n"));
    EXPECT_EQ(window.ReadString(Pl("Plik komend"), ""), Pl("/home/ł/Komendy.ini"));
    ASSERT_TRUE(platform::AtomicFile::Write(path, "[ORVANE]\nCOM=7\n\n[Window]\nsize=@Size(10 20)\n"));
    EXPECT_EQ(cli.ReadString("COM", ""), "7");
    cli.WriteString("Tab size", "4");
    EXPECT_EQ(Text(), "[ORVANE]\nTab%20size=4\nCOM=7\n\n[Window]\nsize=@Size(10 20)\n");
    EXPECT_TRUE(cli.LastError().empty());
}

TEST_F(IniSettingsFileTest, ALockHeldByARunningProgramDelaysTheWriteButLosesNothing) {
    IniSettingsFile cli(path, "ORVANE", 50);
    cli.WriteString("COM", "2");
    {
        const IniSettingsLock other(path);  // this very process: certainly alive
        ASSERT_TRUE(other.Held());
        cli.WriteString("COM", "4");
        EXPECT_FALSE(cli.LastError().empty());
        EXPECT_EQ(cli.ReadString("COM", ""), "4");  // still what this run set
        EXPECT_EQ(Text(), "[ORVANE]\nCOM=2\n");
    }
    cli.WriteString("COM", "5");
    EXPECT_EQ(Text(), "[ORVANE]\nCOM=5\n");

    // A lock left behind by a process that is gone is taken over.
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    ASSERT_TRUE(platform::AtomicFile::Write(path + ".lock", "2147483000\nORVANE\n" + std::string(host) + "\n"));
    cli.WriteString("COM", "6");
    EXPECT_TRUE(cli.LastError().empty()) << cli.LastError();
    EXPECT_FALSE(platform::AtomicFile::Exists(path + ".lock"));
}

}  // namespace
}  // namespace orvane::host
