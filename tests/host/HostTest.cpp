#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "core/host/AtomicFile.h"
#include "core/host/Cp1250.h"
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
    EXPECT_TRUE(EqualsIgnoreCase(Pl("ŻÓŁĆ Ś Ź Ą Ń PAMIĘCI"), Pl("żółć ś ź ą ń pamięci")));
    EXPECT_FALSE(EqualsIgnoreCase("a", "ab"));
}

TEST(AtomicFileTest, ReplacesWholeFilesAndKeepsTheOldOneWhenTheFolderRefuses) {
    const test::TempDir tmp;
    const std::string path = tmp / "Komendy.ini";
    const std::string second("second\0x", 8);
    ASSERT_TRUE(AtomicFile::Write(path, "first\r\n"));
    ASSERT_TRUE(AtomicFile::Write(path, second));
    std::string read;
    if (::geteuid() != 0) {  // root writes anywhere; the refusal can only be seen as a user
        ::chmod(tmp.Path().c_str(), 0555);
        std::string error;
        EXPECT_FALSE(AtomicFile::Write(path, "third", &error));
        EXPECT_FALSE(error.empty());
    }
    ASSERT_TRUE(AtomicFile::Read(path, read));
    EXPECT_EQ(read, second) << "the old file survives a failed write";
    EXPECT_FALSE(AtomicFile::Write(tmp / "missing/folder/file", "x"));
    EXPECT_FALSE(AtomicFile::Read(tmp.Path(), read)) << "a folder is no file";
}

}  // namespace
}  // namespace orvane::host
