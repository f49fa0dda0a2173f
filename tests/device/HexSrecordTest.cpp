// The reader and the writers against files from and for srec_cat (Debian package srecord): what
// it writes must read back byte for byte, and what the writers produce must pass its stricter reader.
#include "core/device/HexFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "core/platform/AtomicFile.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempDir.h"

namespace orvane::device {
namespace {

const HexMessage kBelow{"below", "below the limit"};
const HexMessage kTop{"top", "at the top"};

struct Region {
    const char* name;
    int start;
    int end;
    int lowerLimit;
};
const Region kRegions[] = {{"system", FlashImage::kSystemStart, FlashImage::kSystemEnd, 0},
                           {"program", FlashImage::kProgramStart, FlashImage::kProgramEnd, 0x0700}};

class HexSrecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(std::system("command -v srec_cat >/dev/null 2>&1"), 0)
            << "srec_cat is missing: install the srecord package (scripts/install-deps.sh)";
    }
    // srec_cat from one file of the test's folder to another, each with its format options.
    bool SrecCat(const std::string& in, const std::string& inArgs, const std::string& out, const std::string& outArgs) const {
        return std::system(("srec_cat '" + dir / in + "' " + inArgs + " -o '" + dir / out + "' " + outArgs).c_str()) == 0;
    }
    test::TempDir dir;
};

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (auto& b : bytes) b = static_cast<char>(random());
    return bytes;
}

// Both regions, each converted by srec_cat from a binary with these input filters and output
// options, must land byte for byte.
TEST_F(HexSrecordTest, ReadsBackWhatSrecCatConverted) {
    const struct { const char* name; std::string filters, format; bool lowerCase; } rows[] = {
        {"NoAddressRecords", "", "-address-length=2 -Output_Block_Size 255", false},
        {"SegmentAndStartSegment", "-execution-start-address=0x0700", "-address-length=3", false},
        {"LinearAndStartLinear", "-execution-start-address=0x0700", "", false},
        {"LowerCaseSegmentedOddSized", "", "-address-length=3 -Output_Block_Size 7", true},
    };
    for (const auto& row : rows) {
        for (const Region& region : kRegions) {
            const std::string binary = RandomBytes(static_cast<std::size_t>(region.end - region.start),
                                                   static_cast<unsigned>(region.start) + 7);
            ASSERT_TRUE(platform::AtomicFile::Write(dir / "in.bin", binary));
            ASSERT_TRUE(SrecCat("in.bin", "-Binary -offset " + std::to_string(region.start) + " " + row.filters,
                                "out.hex", "-Intel " + row.format))
                << row.name;
            std::string text;
            ASSERT_TRUE(platform::AtomicFile::Read(dir / "out.hex", text));
            if (row.lowerCase) {
                std::transform(text.begin(), text.end(), text.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
            }
            FlashImage image;
            test::ScriptedPrompts prompts;
            EXPECT_EQ(HexFile::ReadHexImage(text, image, region.lowerLimit, kBelow, kTop, prompts), HexReadResult::Complete)
                << row.name << " " << region.name;
            for (int a = 0; a < FlashImage::kSize; ++a) {
                const bool inside = a >= region.start && a < region.end;
                ASSERT_EQ(image[a], inside ? static_cast<std::uint8_t>(binary[static_cast<std::size_t>(a - region.start)]) : 0xFF)
                    << row.name << " at " << a;
            }
        }
    }
}

// Images with erased runs of many lengths, so that the writers' skipping is exercised.
TEST_F(HexSrecordTest, SrecCatReadsTheWrittenFilesBackByteForByte) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        std::mt19937 random(seed);
        FlashImage image;
        for (int a = 0; a < FlashImage::kSize;) {
            const int run = static_cast<int>(random() % 70);
            const bool erased = random() % 3 == 0;
            for (int i = 0; i < run && a < FlashImage::kSize; ++i, ++a) image[a] = erased ? 0xFF : static_cast<std::uint8_t>(random());
        }
        for (const Region& region : kRegions) {
            const bool system = region.lowerLimit == 0;
            ASSERT_TRUE(platform::AtomicFile::Write(dir / "w.hex", system ? HexFile::WriteSystemHex(image) : HexFile::WriteProgramHex(image)));
            ASSERT_TRUE(SrecCat("w.hex", "-Intel -fill 0xFF 0 0x2000", "w.bin", "-Binary")) << region.name << " seed " << seed;
            std::string back;
            ASSERT_TRUE(platform::AtomicFile::Read(dir / "w.bin", back));
            ASSERT_EQ(back.size(), static_cast<std::size_t>(FlashImage::kSize));
            for (int a = 0; a < FlashImage::kSize; ++a) {
                const bool inside = a >= region.start && a < region.end;
                ASSERT_EQ(static_cast<std::uint8_t>(back[static_cast<std::size_t>(a)]), inside ? image[a] : 0xFF)
                    << region.name << " seed " << seed << " at " << a;
            }
        }
    }
}

}  // namespace
}  // namespace orvane::device
