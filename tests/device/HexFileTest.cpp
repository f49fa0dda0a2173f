// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/HexFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>

#include "tests/support/HexRecords.h"
#include "tests/support/ScriptedPrompts.h"

namespace orvane::device {
namespace {

using test::HexDataRecord;
using test::HexRecord;
using Bytes = std::vector<std::uint8_t>;

const std::string kEnd = ":00000001FF";

// One read into an image that starts dirty, so that every read must erase it first.
struct Read {
    Read(std::string_view text, int lowerLimit) {
        std::fill(image.Data(), image.Data() + FlashImage::kSize, 0x00);
        result = HexFile::ReadHexImage(text, image, lowerLimit, {"below", "b"}, {"top", "t"}, prompts);
        // A box is shown exactly when the reader stopped for an address limit, and names that limit.
        std::string shown;
        for (const auto& b : prompts.Boxes()) shown += b.caption + (b.buttons == host::Buttons::Ok ? ";" : " not OK;");
        const bool below = result == HexReadResult::StoppedBelowLimit, top = result == HexReadResult::StoppedAtTop;
        EXPECT_EQ(shown, below ? "below;" : top ? "top;" : "") << text.substr(0, 40);
    }
    FlashImage image;
    test::ScriptedPrompts prompts;
    HexReadResult result;
};

std::string Join(const std::vector<std::string>& lines, const std::string& lineEnd = "\r\n") {
    std::string text;
    for (const std::string& line : lines) text += line + lineEnd;
    return text;
}

Bytes Counting(int count, int first) {
    Bytes bytes(static_cast<std::size_t>(count));
    std::iota(bytes.begin(), bytes.end(), static_cast<std::uint8_t>(first));
    return bytes;
}

std::map<int, int> Span(int address, const Bytes& data) {
    std::map<int, int> bytes;
    for (std::size_t i = 0; i < data.size(); ++i) bytes[address + static_cast<int>(i)] = data[i];
    return bytes;
}

struct ReadRow {
    const char* name;
    std::string text;
    int lowerLimit;
    HexReadResult result;
    std::map<int, int> bytes;  // 0xFF everywhere else
};

std::vector<ReadRow> ReadRows() {
    const std::string fourAtA = HexDataRecord(0x000A, {1, 2, 3, 4});
    std::string stray = fourAtA;
    stray[9] = 'x';  // the first data digit, a '0'
    std::string badSum = fourAtA;
    badSum.back() = badSum.back() == '0' ? '1' : '0';
    const auto four = Span(0x0A, {1, 2, 3, 4});
    using R = HexReadResult;
    return {
        {"four bytes at 0x000A", Join({fourAtA, kEnd}), 0, R::Complete, four},
        {"bad checksum stops silently and keeps the bad record out",
         Join({HexDataRecord(0, {0x55}), badSum, kEnd}), 0, R::StoppedBadChecksum, {{0, 0x55}}},
        {"linear base 1 puts the data far above the top",
         Join({HexRecord(4, 0, {0x00, 0x01}), HexDataRecord(0x0010, {1}), kEnd}), 0, R::StoppedAtTop, {}},
        {"program data at 0x06F0 lie below the limit", Join({HexDataRecord(0x0700, {9}), HexDataRecord(0x06F0, {1}), kEnd}),
         0x0700, R::StoppedBelowLimit, {{0x0700, 9}}},
        {"a record starting just below the limit is refused though it reaches above",
         Join({HexDataRecord(0x06FF, {1, 2}), kEnd}), 0x0700, R::StoppedBelowLimit, {}},
        {"a record from 0x1EF0 runs into the top of memory", Join({HexDataRecord(0x1EF0, Counting(32, 1)), kEnd}),
         0x0700, R::Complete, Span(0x1EF0, Counting(32, 1))},
        {"a record starting at 0x1F00 is refused", Join({HexDataRecord(0x1F00, {1}), kEnd}), 0, R::StoppedAtTop, {}},
        // The longest record from the highest allowed start ends two bytes short of the image's end.
        {"the longest record from the last start", Join({HexDataRecord(0x1EFF, Bytes(255, 0x5A)), kEnd}), 0x0700,
         R::Complete, Span(0x1EFF, Bytes(255, 0x5A))},
        {"a stray character inside a record reads as 0", Join({stray, kEnd}), 0, R::Complete, four},
        {"an end record with data stops",
         Join({HexDataRecord(0x10, {0x77}), HexRecord(1, 0, {0}), HexDataRecord(0x20, {1}), kEnd}), 0,
         R::StoppedEndWithData, {{0x10, 0x77}}},
        {"no end record keeps what was read", Join({HexDataRecord(0x10, {0x77})}), 0, R::NoEndRecord, {{0x10, 0x77}}},
        {"blank text holds nothing", " \r\n\t", 0, R::NoEndRecord, {}},
        // Its colon would read as a record of zeros at address 0.
        {"a script is no HEX at all", "Main: x = 1;\r\n", 0x0700, R::NotHex, {}},
        {"a segment counts in sixteens", Join({HexRecord(2, 0, {0x00, 0x10}), HexDataRecord(0x0005, {7}), kEnd}), 0,
         R::Complete, {{0x0105, 7}}},
        {"a segment record clears the linear base",
         Join({HexRecord(4, 0, {0, 1}), HexRecord(2, 0, {0, 0}), HexDataRecord(0x100, {3}), kEnd}), 0, R::Complete, {{0x100, 3}}},
        {"a linear record clears the segment base",
         Join({HexRecord(2, 0, {0x10, 0}), HexRecord(4, 0, {0, 0}), HexDataRecord(0x200, {4}), kEnd}), 0,
         R::Complete, {{0x200, 4}}},
        {"LF line ends", Join({fourAtA, kEnd}, "\n"), 0, R::Complete, four},
        {"records run together", Join({fourAtA, kEnd}, ""), 0, R::Complete, four},
        // The missing digits would read as zeros and happen to satisfy the checksum.
        {"a record cut off at the end of the text is not trusted", Join({HexDataRecord(0, {1})}) + ":02000000FE", 0,
         R::StoppedBadChecksum, {{0, 1}}},
        {"records after the end record are ignored", Join({kEnd, HexDataRecord(0, {1})}), 0, R::Complete, {}},
        // Ten value bytes: 2^72 would wrap to 0 in 64-bit arithmetic and land at address 0.
        {"an oversized extended address cannot wrap back into the image",
         Join({HexRecord(4, 0, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}), HexDataRecord(0, {1}), kEnd}), 0, R::StoppedAtTop, {}},
        {"an oversized segment cannot wrap either",
         Join({HexRecord(2, 0, {0x10, 0, 0, 0, 0, 0, 0, 0, 0}), HexDataRecord(0, {1}), kEnd}), 0, R::StoppedAtTop, {}},
    };
}

TEST(HexFileReadTest, Records) {
    for (const ReadRow& row : ReadRows()) {
        const Read read(row.text, row.lowerLimit);
        EXPECT_EQ(read.result, row.result) << row.name;
        for (int a = 0; a < FlashImage::kSize; ++a) {
            const auto it = row.bytes.find(a);
            ASSERT_EQ(read.image[a], it == row.bytes.end() ? 0xFF : it->second) << row.name << " at " << a;
        }
    }
}

// Random text is the fuzz target's business; these counts claim more than the line holds, or
// the most a count can claim.
TEST(HexFileReadTest, ACountBeyondTheLineIsNeverComplete) {
    for (const std::string& text : {std::string(":FF1EFF00"), ":FF000002" + std::string(520, '1'), ":FFFFFF04" + std::string(520, 'F'),
                                    ":FF000003" + std::string(600, '7'), std::string(2000, ':')}) {
        for (int lowerLimit : {0, 0x0700}) EXPECT_NE(Read(text, lowerLimit).result, HexReadResult::Complete) << text.substr(0, 12);
    }
}

TEST(HexFileReadTest, EveryTruncationKeepsOnlyTrueBytes) {
    std::mt19937 random(5);
    FlashImage full;
    std::string text = ":020000020000FC\r\n";
    for (int a = 0x0700; a < 0x0A00; a += 16) {
        Bytes data(16);
        for (auto& b : data) b = static_cast<std::uint8_t>(random());
        for (int i = 0; i < 16; ++i) full[a + i] = data[static_cast<std::size_t>(i)];
        text += HexDataRecord(a, data) + "\r\n";
    }
    text += kEnd + "\r\n";
    const std::size_t endRecord = text.rfind(':');
    for (std::size_t length = 0; length < text.size(); ++length) {
        const Read read(text.substr(0, length), 0x0700);
        if (length >= endRecord + 11) {
            ASSERT_EQ(read.result, HexReadResult::Complete) << length;  // only the line end missing
        } else if (length < 11) {
            ASSERT_TRUE(read.result == HexReadResult::NotHex || read.result == HexReadResult::NoEndRecord)
                << "cut at " << length;  // not one whole record
        } else {
            ASSERT_TRUE(read.result == HexReadResult::NoEndRecord || read.result == HexReadResult::StoppedBadChecksum)
                << "cut at " << length;
        }
        for (int a = 0; a < FlashImage::kSize; ++a) {
            ASSERT_TRUE(read.image[a] == 0xFF || read.image[a] == full[a]) << "cut at " << length << ", " << a;
        }
    }
}

}  // namespace
}  // namespace orvane::device
