#include "core/device/HexFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <unistd.h>

#include "core/host/AtomicFile.h"
#include "core/host/Cp1250.h"
#include "tests/support/HexRecords.h"
#include "tests/support/ScriptedPrompts.h"

namespace orvane::device {
namespace {

using test::HexDataRecord;
using test::HexRecord;

const HexMessage kBelow{host::Pl("BŁĄD"), host::Pl("Błąd kompilacji OWPZKL!\nNadpis Systemu!")};
const HexMessage kTop{host::Pl("BŁĄD"), host::Pl("Błąd kompilacji OWPZKH!\nZbyt duży program!")};
const std::string kEnd = ":00000001FF";

std::string Join(const std::vector<std::string>& lines, const std::string& lineEnd = "\r\n") {
    std::string text;
    for (const std::string& line : lines) text += line + lineEnd;
    return text;
}

std::vector<std::uint8_t> Bytes(int count, int first) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(first + i);
    return bytes;
}

// The last checksum digit changed, everything else intact.
std::string WithBadChecksum(std::string line) {
    line.back() = line.back() == '0' ? '1' : '0';
    return line;
}

// Compares the whole image: the listed bytes and 0xFF everywhere else.
void ExpectImage(const FlashImage& image, const std::map<int, int>& bytes, const std::string& what) {
    for (int a = 0; a < FlashImage::kSize; ++a) {
        const auto it = bytes.find(a);
        const int expected = it == bytes.end() ? 0xFF : it->second;
        if (image[a] != expected) {
            ADD_FAILURE() << what << ": byte at " << a << " is " << int(image[a]) << ", expected "
                          << expected;
            return;
        }
    }
}

std::map<int, int> Span(int address, const std::vector<std::uint8_t>& data) {
    std::map<int, int> bytes;
    for (std::size_t i = 0; i < data.size(); ++i) bytes[address + static_cast<int>(i)] = data[i];
    return bytes;
}

struct ReadRow {
    const char* name;
    std::string text;
    int lowerLimit;
    HexReadResult result;
    const char* boxText;  // UTF-8 text of the one expected box, or nullptr for none
    std::map<int, int> bytes;
};

std::vector<ReadRow> ReadRows() {
    const std::string fourAtA = HexDataRecord(0x000A, {1, 2, 3, 4});
    std::string lowerCase = HexDataRecord(0x0040, {0xAB, 0xCD, 0xEF});
    std::transform(lowerCase.begin(), lowerCase.end(), lowerCase.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
    std::string stray = fourAtA;
    stray[9] = 'x';  // the first data digit, a '0'
    return {
        {"end record alone", Join({kEnd}), 0, HexReadResult::Complete, nullptr, {}},
        {"four bytes at 0x000A", Join({fourAtA, kEnd}), 0, HexReadResult::Complete, nullptr,
         Span(0x0A, {1, 2, 3, 4})},
        {"bad checksum stops silently and keeps the bad record out",
         Join({HexDataRecord(0, {0x55}), WithBadChecksum(fourAtA), kEnd}), 0,
         HexReadResult::StoppedBadChecksum, nullptr, {{0, 0x55}}},
        {"linear base 1 puts the data far above the top",
         Join({HexRecord(4, 0, {0x00, 0x01}), HexDataRecord(0x0010, {1}), kEnd}), 0,
         HexReadResult::StoppedAtTop, "Błąd kompilacji OWPZKH!\nZbyt duży program!", {}},
        {"program data at 0x06F0 lie below the limit",
         Join({HexDataRecord(0x0700, {9}), HexDataRecord(0x06F0, {1}), kEnd}), 0x0700,
         HexReadResult::StoppedBelowLimit, "Błąd kompilacji OWPZKL!\nNadpis Systemu!", {{0x0700, 9}}},
        {"a record starting just below the limit is refused though it reaches above",
         Join({HexDataRecord(0x06FF, {1, 2}), kEnd}), 0x0700, HexReadResult::StoppedBelowLimit,
         "Błąd kompilacji OWPZKL!\nNadpis Systemu!", {}},
        {"no lower limit lets data start at 0", Join({HexDataRecord(0, {7}), kEnd}), 0,
         HexReadResult::Complete, nullptr, {{0, 7}}},
        {"a record from 0x1EF0 runs into the top of memory",
         Join({HexDataRecord(0x1EF0, Bytes(32, 1)), kEnd}), 0x0700, HexReadResult::Complete, nullptr,
         Span(0x1EF0, Bytes(32, 1))},
        {"a record starting at 0x1F00 is refused", Join({HexDataRecord(0x1F00, {1}), kEnd}), 0,
         HexReadResult::StoppedAtTop, "Błąd kompilacji OWPZKH!\nZbyt duży program!", {}},
        {"lower-case digits", Join({lowerCase, kEnd}), 0, HexReadResult::Complete, nullptr,
         Span(0x40, {0xAB, 0xCD, 0xEF})},
        {"a stray character inside a record reads as 0", Join({stray, kEnd}), 0,
         HexReadResult::Complete, nullptr, Span(0x0A, {1, 2, 3, 4})},
        {"an end record with data stops",
         Join({HexDataRecord(0x10, {0x77}), HexRecord(1, 0, {0}), HexDataRecord(0x20, {1}), kEnd}),
         0, HexReadResult::StoppedEndWithData, nullptr, {{0x10, 0x77}}},
        {"no end record keeps what was read", Join({HexDataRecord(0x10, {0x77})}), 0,
         HexReadResult::NoEndRecord, nullptr, {{0x10, 0x77}}},
        {"text without records", "nothing to see\r\n", 0, HexReadResult::NoEndRecord, nullptr, {}},
        {"segment base 0x0010 adds 0x100",
         Join({HexRecord(2, 0, {0x00, 0x10}), HexDataRecord(0, {0xAA}), kEnd}), 0,
         HexReadResult::Complete, nullptr, {{0x100, 0xAA}}},
        {"a segment record clears the linear base",
         Join({HexRecord(4, 0, {0, 1}), HexRecord(2, 0, {0, 0}), HexDataRecord(0x100, {3}), kEnd}),
         0, HexReadResult::Complete, nullptr, {{0x100, 3}}},
        {"a linear record clears the segment base",
         Join({HexRecord(2, 0, {0x10, 0}), HexRecord(4, 0, {0, 0}), HexDataRecord(0x200, {4}), kEnd}),
         0, HexReadResult::Complete, nullptr, {{0x200, 4}}},
        {"start address records are skipped whole",
         Join({HexDataRecord(0x0700, {1, 2}), HexRecord(3, 0, {0, 0, 7, 0}),
               HexRecord(5, 0, {0, 0, 7, 0}), HexDataRecord(0x0702, {3}), kEnd}),
         0x0700, HexReadResult::Complete, nullptr, Span(0x0700, {1, 2, 3})},
        {"LF line ends", Join({fourAtA, kEnd}, "\n"), 0, HexReadResult::Complete, nullptr,
         Span(0x0A, {1, 2, 3, 4})},
        {"CR line ends", Join({fourAtA, kEnd}, "\r"), 0, HexReadResult::Complete, nullptr,
         Span(0x0A, {1, 2, 3, 4})},
        {"records run together", Join({fourAtA, kEnd}, ""), 0, HexReadResult::Complete, nullptr,
         Span(0x0A, {1, 2, 3, 4})},
        // The missing digits would read as zeros and happen to satisfy the checksum.
        {"a record cut off at the end of the text is not trusted",
         Join({HexDataRecord(0, {1})}) + ":02000000FE", 0, HexReadResult::StoppedBadChecksum,
         nullptr, {{0, 1}}},
        {"records after the end record are ignored", Join({kEnd, HexDataRecord(0, {1})}), 0,
         HexReadResult::Complete, nullptr, {}},
        // Ten value bytes: 2^72 would wrap to 0 in 64-bit arithmetic and land at address 0.
        {"an oversized extended address cannot wrap back into the image",
         Join({HexRecord(4, 0, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}), HexDataRecord(0, {1}), kEnd}), 0,
         HexReadResult::StoppedAtTop, "Błąd kompilacji OWPZKH!\nZbyt duży program!", {}},
        {"an oversized segment cannot wrap either",
         Join({HexRecord(2, 0, {0x10, 0, 0, 0, 0, 0, 0, 0, 0}), HexDataRecord(0, {1}), kEnd}), 0,
         HexReadResult::StoppedAtTop, "Błąd kompilacji OWPZKH!\nZbyt duży program!", {}},
    };
}

TEST(HexFileReadTest, Records) {
    for (const ReadRow& row : ReadRows()) {
        FlashImage image;
        test::ScriptedPrompts prompts;
        const HexReadResult result =
            HexFile::ReadHexImage(row.text, image, row.lowerLimit, kBelow, kTop, prompts);
        EXPECT_EQ(result, row.result) << row.name;
        if (row.boxText == nullptr) {
            EXPECT_TRUE(prompts.Boxes().empty()) << row.name;
        } else {
            ASSERT_EQ(prompts.Boxes().size(), 1u) << row.name;
            EXPECT_EQ(prompts.Boxes()[0].caption, "BŁĄD") << row.name;
            EXPECT_EQ(prompts.Boxes()[0].text, row.boxText) << row.name;
            EXPECT_EQ(prompts.Boxes()[0].buttons, host::Buttons::Ok) << row.name;
        }
        ExpectImage(image, row.bytes, row.name);
    }
}

TEST(HexFileReadTest, EveryReadStartsFromAnErasedImage) {
    FlashImage image;
    std::fill(image.Data(), image.Data() + FlashImage::kSize, 0x00);
    test::ScriptedPrompts prompts;
    EXPECT_EQ(HexFile::ReadHexImage(Join({HexDataRecord(5, {1}), kEnd}), image, 0, kBelow, kTop,
                                    prompts),
              HexReadResult::Complete);
    ExpectImage(image, {{5, 1}}, "second read");
}

TEST(HexFileReadTest, FilesAreReadWholeAndAMissingFileCannotBeOpened) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("orvane-hexfile-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "Plik.hex").string();
    ASSERT_TRUE(host::AtomicFile::Write(path, Join({HexDataRecord(0x0700, {1, 2}), kEnd})));
    FlashImage image;
    test::ScriptedPrompts prompts;
    EXPECT_EQ(HexFile::ReadHexFile(path, image, 0x0700, kBelow, kTop, prompts),
              HexReadResult::Complete);
    ExpectImage(image, Span(0x0700, {1, 2}), "file");
    EXPECT_EQ(HexFile::ReadHexFile((dir / "missing.hex").string(), image, 0x0700, kBelow, kTop,
                                   prompts),
              HexReadResult::CannotOpen);
    EXPECT_TRUE(prompts.Boxes().empty());
    std::filesystem::remove_all(dir);
}

TEST(HexFileTest, HexDigits) {
    const std::pair<int, const char*> bytes[] = {{0, "00"},   {10, "0A"},  {0x7F, "7F"},
                                                 {255, "FF"}, {256, "FF"}, {300, "FF"},
                                                 {-1, "00"}};
    for (const auto& [value, text] : bytes) EXPECT_EQ(HexFile::ByteToHex(value), text) << value;
    const std::pair<int, const char*> words[] = {{0x06F0, "06F0"},  {0xABCD, "ABCD"},
                                                 {0xFFFF, "FFFF"},  {0x10000, "FFFF"},
                                                 {0x123456, "FFFF"}, {-1, "0000"}};
    for (const auto& [value, text] : words) EXPECT_EQ(HexFile::WordToHex(value), text) << value;
}

std::string Framed(const std::vector<std::string>& records) {
    std::vector<std::string> lines{":020000020000FC"};
    lines.insert(lines.end(), records.begin(), records.end());
    lines.push_back(kEnd);
    return Join(lines);
}

void Put(FlashImage& image, int address, const std::vector<std::uint8_t>& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) image[address + static_cast<int>(i)] = bytes[i];
}

TEST(HexFileWriteTest, AnErasedSystemGivesTheTwoFixedLines) {
    EXPECT_EQ(HexFile::WriteSystemHex(FlashImage()), ":020000020000FC\r\n:00000001FF\r\n");
    EXPECT_EQ(HexFile::WriteProgramHex(FlashImage()), ":020000020000FC\r\n:00000001FF\r\n");
}

TEST(HexFileWriteTest, SystemRecordsLeaveOutErasedWordsAndStopAtTheSystemEnd) {
    FlashImage image;
    Put(image, 0x0000, {1, 2, 3, 4});
    Put(image, 0x0006, {0xFF, 0x12});  // half-erased word: data
    Put(image, 0x0100, std::vector<std::uint8_t>(20, 0x11));
    Put(image, 0x0123, {0x5A});         // odd address: its whole word goes out
    Put(image, 0x06F8, Bytes(24, 0x30));  // runs on into the Program region
    Put(image, 0x1000, {0x99});
    EXPECT_EQ(HexFile::WriteSystemHex(image),
              Framed({HexDataRecord(0x0000, {1, 2, 3, 4}), HexDataRecord(0x0006, {0xFF, 0x12}),
                      HexDataRecord(0x0100, std::vector<std::uint8_t>(16, 0x11)),
                      HexDataRecord(0x0110, {0x11, 0x11, 0x11, 0x11}),
                      HexDataRecord(0x0122, {0xFF, 0x5A}), HexDataRecord(0x06F8, Bytes(8, 0x30))}));
}

TEST(HexFileWriteTest, ProgramRecordsAreWholeBlocksAndGapsDoNotEndTheFile) {
    FlashImage image;
    Put(image, 0x0000, {1});      // System: not part of the Program file
    Put(image, 0x0700, Bytes(10, 1));
    Put(image, 0x0800, {0x42});   // after erased blocks, e.g. a table placed with .org
    Put(image, 0x1EFF, {0x24});   // the last Program byte
    Put(image, 0x1F00, {0x66});   // the top belongs to no file
    std::vector<std::uint8_t> first(16, 0xFF);
    for (int i = 0; i < 10; ++i) first[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(1 + i);
    std::vector<std::uint8_t> table(16, 0xFF);
    table[0] = 0x42;
    std::vector<std::uint8_t> last(16, 0xFF);
    last[15] = 0x24;
    EXPECT_EQ(HexFile::WriteProgramHex(image),
              Framed({HexDataRecord(0x0700, first), HexDataRecord(0x0800, table),
                      HexDataRecord(0x1EF0, last)}));
}

// Images with erased runs of every length: what a writer puts out, the reader brings back.
TEST(HexFileWriteTest, WrittenRegionsReadBackUnchanged) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 20; ++round) {
        FlashImage image;
        for (int a = 0; a < FlashImage::kSize;) {
            const int run = static_cast<int>(random() % 40);
            const bool erased = random() % 2 == 0;
            for (int i = 0; i < run && a < FlashImage::kSize; ++i, ++a) {
                image[a] = erased ? 0xFF : static_cast<std::uint8_t>(random());
            }
        }
        FlashImage system;
        FlashImage program;
        test::ScriptedPrompts prompts;
        ASSERT_EQ(HexFile::ReadHexImage(HexFile::WriteSystemHex(image), system, 0, kBelow, kTop,
                                        prompts),
                  HexReadResult::Complete);
        ASSERT_EQ(HexFile::ReadHexImage(HexFile::WriteProgramHex(image), program, 0x0700, kBelow,
                                        kTop, prompts),
                  HexReadResult::Complete);
        for (int a = 0; a < FlashImage::kSize; ++a) {
            const bool inSystem = a < FlashImage::kSystemEnd;
            const bool inProgram = a >= FlashImage::kProgramStart && a < FlashImage::kProgramEnd;
            ASSERT_EQ(system[a], inSystem ? image[a] : 0xFF) << "round " << round << " at " << a;
            ASSERT_EQ(program[a], inProgram ? image[a] : 0xFF) << "round " << round << " at " << a;
        }
    }
}

}  // namespace
}  // namespace orvane::device
