// SPDX-License-Identifier: GPL-3.0-or-later
// A HEX file as a user's mistake or a damaged download would give it: the reader never reads or
// writes outside the image, and an image it accepts survives the read-out writers: the System
// and the Program file written from it read back to the same region.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/device/HexFile.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/ScriptedPrompts.h"

namespace {

using orvane::device::FlashImage;
using orvane::device::HexFile;
using orvane::device::HexMessage;

const HexMessage kBelow{"below", "below"};
const HexMessage kTop{"top", "top"};

// The region [from, to) of the image read back from `text` equals that of `image`.
bool ReadsBack(const std::string& text, const FlashImage& image, int lowerLimit, int from, int to) {
    orvane::test::ScriptedPrompts prompts;
    FlashImage back;
    if (!HexFile::Usable(HexFile::ReadHexImage(text, back, lowerLimit, kBelow, kTop, prompts))) return false;
    for (int a = from; a < to; ++a) {
        if (back[a] != image[a]) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    orvane::test::ScriptedPrompts prompts;
    FlashImage image;
    // The Program write's lower limit for inputs of odd length, none (the System's) otherwise.
    const int lowerLimit = size % 2 ? FlashImage::kProgramStart : 0;
    if (!HexFile::Usable(HexFile::ReadHexImage(text, image, lowerLimit, kBelow, kTop, prompts))) return 0;
    orvane::fuzz::Require(ReadsBack(HexFile::WriteSystemHex(image), image, 0, FlashImage::kSystemStart,
                                    FlashImage::kSystemEnd),
                          "the System file written from the image reads back otherwise");
    orvane::fuzz::Require(ReadsBack(HexFile::WriteProgramHex(image), image, FlashImage::kProgramStart,
                                    FlashImage::kProgramStart, FlashImage::kProgramEnd),
                          "the Program file written from the image reads back otherwise");
    return 0;
}
