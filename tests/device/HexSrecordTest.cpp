// The reader and the writers against files from and for srec_cat (Debian package srecord), a
// widely used converter: what it writes must read back byte for byte, and what the writers
// produce must pass its stricter reader.
#include "core/device/HexFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "core/host/AtomicFile.h"
#include "tests/support/ScriptedPrompts.h"

namespace orvane::device {
namespace {

const HexMessage kBelow{"below", "below the limit"};
const HexMessage kTop{"top", "at the top"};

using Bytes = std::vector<std::uint8_t>;

class HexSrecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v srec_cat >/dev/null 2>&1") != 0) {
            FAIL() << "srec_cat is missing: install the srecord package (scripts/install-deps.sh)";
        }
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orvane-srec-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        if (!dir_.empty()) std::filesystem::remove_all(dir_);
    }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    // Runs srec_cat with arguments in which {dir} stands for the test's folder.
    bool SrecCat(const std::string& args) const {
        std::string command = "srec_cat";
        for (std::size_t from = 0, at; from < args.size(); from = at + 5) {
            at = std::min(args.find("{dir}", from), args.size());
            command.append(args, from, at - from);
            if (at < args.size()) command.append("'").append(dir_.string()).append("'");
        }
        return std::system(command.c_str()) == 0;
    }

    void WriteBytes(const std::string& name, const Bytes& bytes) const {
        std::ofstream out(PathOf(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    Bytes ReadBytes(const std::string& name) const {
        std::ifstream in(PathOf(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::filesystem::path dir_;
};

Bytes RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
}

struct Generated {
    const char* name;
    std::string filters;  // srec_cat input filters
    std::string format;   // srec_cat output format options
    bool lowerCase;
};

class HexFromSrecCat : public HexSrecordTest, public ::testing::WithParamInterface<Generated> {};

// Both regions, each converted by srec_cat from a binary, must land byte for byte.
TEST_P(HexFromSrecCat, ReadsBackTheBinary) {
    const Generated& row = GetParam();
    struct Region {
        int start;
        int end;
        int lowerLimit;
    };
    for (const Region& region : {Region{FlashImage::kSystemStart, FlashImage::kSystemEnd, 0},
                                 Region{FlashImage::kProgramStart, FlashImage::kProgramEnd, 0x0700}}) {
        const Bytes binary = RandomBytes(static_cast<std::size_t>(region.end - region.start),
                                         static_cast<unsigned>(region.start) + 7);
        WriteBytes("in.bin", binary);
        ASSERT_TRUE(SrecCat(" {dir}/in.bin -Binary -offset " + std::to_string(region.start) + " " +
                            row.filters + " -o {dir}/out.hex -Intel " + row.format))
            << row.name;
        std::string text;
        ASSERT_TRUE(host::AtomicFile::Read(PathOf("out.hex"), text));
        if (row.lowerCase) {
            std::transform(text.begin(), text.end(), text.begin(),
                           [](char c) { return static_cast<char>(std::tolower(c)); });
        }
        FlashImage image;
        test::ScriptedPrompts prompts;
        EXPECT_EQ(HexFile::ReadHexImage(text, image, region.lowerLimit, kBelow, kTop, prompts),
                  HexReadResult::Complete)
            << row.name << " from " << region.start;
        for (int a = 0; a < FlashImage::kSize; ++a) {
            const bool inside = a >= region.start && a < region.end;
            ASSERT_EQ(image[a], inside ? binary[static_cast<std::size_t>(a - region.start)] : 0xFF)
                << row.name << " at " << a;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    SrecCat, HexFromSrecCat,
    ::testing::Values(
        Generated{"LinearHeader", "", "", false},
        Generated{"NoAddressRecords", "", "-address-length=2", false},
        Generated{"SegmentAndStartSegment", "-execution-start-address=0x0700", "-address-length=3", false},
        Generated{"LinearAndStartLinear", "-execution-start-address=0x0700", "", false},
        Generated{"OneByteRecords", "", "-Output_Block_Size 1", false},
        Generated{"OddSizedRecords", "", "-Output_Block_Size 7", false},
        Generated{"SixteenByteRecords", "", "-Output_Block_Size 16", false},
        Generated{"LongestRecords", "", "-Output_Block_Size 255", false},
        Generated{"LowerCase", "-execution-start-address=0x0700", "-Output_Block_Size 32", true},
        Generated{"LowerCaseSegmented", "", "-address-length=3", true}),
    [](const ::testing::TestParamInfo<Generated>& info) { return std::string(info.param.name); });

// Beyond 64 KB srec_cat needs extended address records; either kind must lift the data out.
TEST_F(HexSrecordTest, DataBeyondSixtyFourKilobytesStopAtTheTop) {
    WriteBytes("in.bin", RandomBytes(64, 3));
    for (const std::string format : {"", "-address-length=3"}) {
        ASSERT_TRUE(SrecCat(" {dir}/in.bin -Binary -offset 0x10700 -o {dir}/out.hex -Intel " + format));
        FlashImage image;
        test::ScriptedPrompts prompts;
        EXPECT_EQ(HexFile::ReadHexFile(PathOf("out.hex"), image, 0x0700, kBelow, kTop, prompts),
                  HexReadResult::StoppedAtTop)
            << format;
        ASSERT_EQ(prompts.Boxes().size(), 1u);
        EXPECT_EQ(prompts.Boxes()[0].caption, "top");
    }
}

// An image with erased runs of many lengths, so that the writers' skipping is exercised.
FlashImage PatchyImage(unsigned seed) {
    std::mt19937 random(seed);
    FlashImage image;
    for (int a = 0; a < FlashImage::kSize;) {
        const int run = static_cast<int>(random() % 70);
        const bool erased = random() % 3 == 0;
        for (int i = 0; i < run && a < FlashImage::kSize; ++i, ++a) {
            image[a] = erased ? 0xFF : static_cast<std::uint8_t>(random());
        }
    }
    return image;
}

TEST_F(HexSrecordTest, SrecCatReadsTheWrittenFilesBackByteForByte) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        const FlashImage image = PatchyImage(seed);
        struct Written {
            const char* name;
            std::string text;
            int start;
            int end;
        };
        for (const Written& w :
             {Written{"system", HexFile::WriteSystemHex(image), FlashImage::kSystemStart, FlashImage::kSystemEnd},
              Written{"program", HexFile::WriteProgramHex(image), FlashImage::kProgramStart,
                      FlashImage::kProgramEnd}}) {
            ASSERT_TRUE(host::AtomicFile::Write(PathOf("w.hex"), w.text));
            ASSERT_TRUE(SrecCat(" {dir}/w.hex -Intel -fill 0xFF 0 0x2000 -o {dir}/w.bin -Binary"))
                << w.name << " seed " << seed;
            const Bytes back = ReadBytes("w.bin");
            ASSERT_EQ(back.size(), static_cast<std::size_t>(FlashImage::kSize));
            for (int a = 0; a < FlashImage::kSize; ++a) {
                const bool inside = a >= w.start && a < w.end;
                ASSERT_EQ(back[static_cast<std::size_t>(a)], inside ? image[a] : 0xFF)
                    << w.name << " seed " << seed << " at " << a;
            }
        }
    }
}

}  // namespace
}  // namespace orvane::device
