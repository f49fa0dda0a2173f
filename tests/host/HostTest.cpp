#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "core/host/AtomicFile.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "tests/support/TempDir.h"

namespace orvane::host {
namespace {

TEST(Cp1250Test, PolishLettersRoundTripAndUnmappableBecomeQuestionMarks) {
    const std::string utf8 = "Błąd zapisu: ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ „€”";
    const std::string cp = Utf8ToCp1250(utf8);
    EXPECT_EQ(cp.size(), 36u) << "one byte per character";
    EXPECT_EQ(static_cast<unsigned char>(cp[1]), 0xB3);  // ł
    EXPECT_EQ(Cp1250ToUtf8(cp), utf8);
    EXPECT_EQ(Utf8ToCp1250("日本 ß"), "?? \xDF");
    // Malformed UTF-8 never reads past the end.
    EXPECT_EQ(Utf8ToCp1250("a\xC5"), "a?");
    EXPECT_EQ(Utf8ToCp1250("\xE2\x82"), "??");
    // Unassigned bytes decode to the replacement character rather than vanish.
    EXPECT_EQ(Cp1250ToUtf8("\x81"), "\xEF\xBF\xBD");
}

TEST(Cp1250Test, CaseFoldingCoversPolishLetters) {
    EXPECT_TRUE(EqualsIgnoreCase(Pl("PLIK PAMIĘCI"), Pl("plik pamięci")));
    EXPECT_TRUE(EqualsIgnoreCase(Pl("ŻÓŁĆ Ś Ź Ą Ń"), Pl("żółć ś ź ą ń")));
    EXPECT_FALSE(EqualsIgnoreCase("Nazwa", "Nazwy"));
    EXPECT_FALSE(EqualsIgnoreCase("a", "ab"));
}

TEST(MemorySettingsTest, KeysIgnoreCaseAndNumbersReadAsTheProfileStoreReadsThem) {
    MemorySettings s;
    EXPECT_EQ(s.ReadString("Baud Rate", "115,2k"), "115,2k");
    s.WriteString("baud rate", "9600");
    EXPECT_EQ(s.ReadString("BAUD RATE", ""), "9600");
    s.WriteString("Sprawdzaj odpowiada co", "5s");
    EXPECT_EQ(s.ReadInt("sprawdzaj odpowiada co", 2), 5);
    s.WriteString("Sprawdzaj odpowiada co", "");
    EXPECT_EQ(s.ReadInt("Sprawdzaj odpowiada co", 2), 2) << "an empty value takes the default";
}

TEST(AtomicFileTest, ReplacesWholeFilesAndKeepsTheOldOneWhenTheFolderRefuses) {
    const test::TempDir tmp;
    const std::string& dir = tmp.Path();
    const std::string path = dir + "/Komendy.ini";
    ASSERT_TRUE(AtomicFile::Write(path, "first\r\n"));
    ASSERT_TRUE(AtomicFile::Write(path, std::string("second\0x", 8)));
    std::string read;
    ASSERT_TRUE(AtomicFile::Read(path, read));
    EXPECT_EQ(read, std::string("second\0x", 8));
    EXPECT_TRUE(AtomicFile::Exists(path));
    EXPECT_FALSE(AtomicFile::Exists(dir));

    if (::geteuid() != 0) {  // root writes anywhere; the refusal can only be seen as a user
        ::chmod(dir.c_str(), 0555);
        std::string error;
        EXPECT_FALSE(AtomicFile::CanWrite(path));
        EXPECT_FALSE(AtomicFile::Write(path, "third", &error));
        EXPECT_FALSE(error.empty());
        ASSERT_TRUE(AtomicFile::Read(path, read));
        EXPECT_EQ(read, std::string("second\0x", 8)) << "the old file survives a failed write";
    }
    EXPECT_FALSE(AtomicFile::Write(dir + "/missing/folder/file", "x"));
    EXPECT_FALSE(AtomicFile::CanWrite(dir + "/missing/folder/file"));
    EXPECT_FALSE(AtomicFile::Read(dir + "/none", read));
    EXPECT_FALSE(AtomicFile::Read(dir, read)) << "a folder is no file";
}

}  // namespace
}  // namespace orvane::host
