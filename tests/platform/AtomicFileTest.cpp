#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "core/platform/AtomicFile.h"
#include "tests/support/TempDir.h"

namespace orvane::platform {
namespace {

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
}  // namespace orvane::platform
