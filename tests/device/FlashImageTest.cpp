#include "core/device/FlashImage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orvane::device {
namespace {

bool AllErased(const FlashImage& image) {
    return std::all_of(image.Data(), image.Data() + FlashImage::kSize,
                       [](std::uint8_t b) { return b == 0xFF; });
}

TEST(FlashImageTest, StartsErasedAndEraseUndoesEveryWrite) {
    FlashImage image;
    EXPECT_TRUE(AllErased(image));
    image[0] = 0;
    image[FlashImage::kSize - 1] = 0x12;
    image.Page(40)[5] = 0x34;
    EXPECT_FALSE(AllErased(image));
    image.Erase();
    EXPECT_TRUE(AllErased(image));
}

TEST(FlashImageTest, PagesCoverTheirSixtyFourBytesAndNoOthers) {
    struct Row {
        int address;
        int page;
    };
    const Row rows[] = {{0, 0}, {63, 0}, {64, 1}, {0x06FF, 27}, {0x0700, 28}, {0x1F00, 124},
                        {FlashImage::kSize - 1, 127}};
    for (const Row& row : rows) {
        FlashImage image;
        image[row.address] = 0x00;
        for (int p = 0; p < FlashImage::kPages; ++p) {
            EXPECT_EQ(image.PageEmpty(p), p != row.page) << row.address << " page " << p;
        }
        EXPECT_EQ(image.Page(row.page)[row.address % FlashImage::kPageSize], 0x00);
        EXPECT_EQ(image.Page(row.page), image.Data() + row.page * FlashImage::kPageSize);
    }
}

}  // namespace
}  // namespace orvane::device
