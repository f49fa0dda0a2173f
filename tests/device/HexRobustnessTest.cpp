// Damaged and hostile HEX text: the reader must neither crash nor read out of bounds (run these
// under the sanitizer build too), and what it stores must stay trustworthy.
#include "core/device/HexFile.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/support/HexRecords.h"
#include "tests/support/ScriptedPrompts.h"

namespace orvane::device {
namespace {

const HexMessage kBelow{"below", "below the limit"};
const HexMessage kTop{"top", "at the top"};

// A box is shown exactly when the reader stopped for an address limit.
void ExpectBoxesMatch(HexReadResult result, const test::ScriptedPrompts& prompts) {
    const bool limitStop =
        result == HexReadResult::StoppedBelowLimit || result == HexReadResult::StoppedAtTop;
    EXPECT_EQ(prompts.Boxes().size(), limitStop ? 1u : 0u);
}

std::string RandomText(std::mt19937& random, std::string_view alphabet, std::size_t size) {
    std::string text(size, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
}

TEST(HexRobustnessTest, RandomTextNeverCrashes) {
    std::mt19937 random(77);
    std::string allBytes;
    for (int c = 0; c < 256; ++c) allBytes += static_cast<char>(c);
    // The second alphabet is mostly colons and digits, so records get parsed deep and long.
    const std::string alphabets[] = {allBytes, ":0123456789ABCDEFabcdef\r\n", "::::0F1F2F4F"};
    for (const std::string& alphabet : alphabets) {
        for (int round = 0; round < 300; ++round) {
            const std::string text = RandomText(random, alphabet, random() % 3000);
            for (int lowerLimit : {0, 0x0700}) {
                FlashImage image;
                test::ScriptedPrompts prompts;
                const HexReadResult result =
                    HexFile::ReadHexImage(text, image, lowerLimit, kBelow, kTop, prompts);
                ExpectBoxesMatch(result, prompts);
                ASSERT_NE(result, HexReadResult::CannotOpen);
            }
        }
    }
}

std::string ValidFile(std::mt19937& random, FlashImage& expected) {
    std::string text = ":020000020000FC\r\n";
    for (int a = 0x0700; a < 0x0A00; a += 16) {
        std::vector<std::uint8_t> data(16);
        for (std::size_t i = 0; i < data.size(); ++i) {
            data[i] = static_cast<std::uint8_t>(random());
            expected[a + static_cast<int>(i)] = data[i];
        }
        text += test::HexDataRecord(a, data) + "\r\n";
    }
    return text + ":00000001FF\r\n";
}

// However a file is cut short, the reader never calls it complete and never stores a byte
// the whole file would not have stored.
TEST(HexRobustnessTest, EveryTruncationKeepsOnlyTrueBytes) {
    std::mt19937 random(5);
    FlashImage full;
    const std::string text = ValidFile(random, full);
    const std::size_t endRecord = text.rfind(':');
    for (std::size_t length = 0; length < text.size(); ++length) {
        FlashImage image;
        test::ScriptedPrompts prompts;
        const HexReadResult result = HexFile::ReadHexImage(text.substr(0, length), image, 0x0700,
                                                           kBelow, kTop, prompts);
        if (length >= endRecord + 11) {
            ASSERT_EQ(result, HexReadResult::Complete) << length;  // only line end missing
        } else {
            ASSERT_TRUE(result == HexReadResult::NoEndRecord ||
                        result == HexReadResult::StoppedBadChecksum)
                << "cut at " << length;
        }
        for (int a = 0; a < FlashImage::kSize; ++a) {
            if (image[a] != 0xFF) {
                ASSERT_EQ(image[a], full[a]) << "cut at " << length << ", " << a;
            }
        }
    }
}

// Records whose count claims more than the line holds, or the most a count can claim.
TEST(HexRobustnessTest, AbsurdCountsAreContained) {
    const std::string rows[] = {
        ":FF1EFF00",                           // 255 bytes promised, none there
        ":FF000002" + std::string(520, '1'),   // a segment base of 255 bytes
        ":FFFFFF04" + std::string(520, 'F'),   // a linear base of 255 bytes
        ":FF000003" + std::string(600, '7'),   // an oversized start address
        std::string(2000, ':'),
    };
    for (const std::string& text : rows) {
        for (int lowerLimit : {0, 0x0700}) {
            FlashImage image;
            test::ScriptedPrompts prompts;
            const HexReadResult result =
                HexFile::ReadHexImage(text, image, lowerLimit, kBelow, kTop, prompts);
            EXPECT_NE(result, HexReadResult::Complete) << text.substr(0, 12);
            ExpectBoxesMatch(result, prompts);
        }
    }
}

// The longest record from the highest allowed start ends two bytes short of the image's end.
TEST(HexRobustnessTest, TheLongestRecordFromTheLastAllowedStartStaysInTheImage) {
    const std::string text =
        test::HexDataRecord(0x1EFF, std::vector<std::uint8_t>(255, 0x5A)) + "\r\n:00000001FF";
    FlashImage image;
    test::ScriptedPrompts prompts;
    ASSERT_EQ(HexFile::ReadHexImage(text, image, 0x0700, kBelow, kTop, prompts),
              HexReadResult::Complete);
    EXPECT_EQ(image[0x1EFE], 0xFF);
    EXPECT_EQ(image[0x1EFF], 0x5A);
    EXPECT_EQ(image[0x1FFD], 0x5A);
    EXPECT_EQ(image[0x1FFE], 0xFF);
}

}  // namespace
}  // namespace orvane::device
