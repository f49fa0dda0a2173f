// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>

#include "core/device/FlashArea.h"
#include "core/device/FlashImage.h"

namespace orvane::device {

// Compares an area read back through the boot loader with the image that was written into it.
class FlashVerifier {
public:
    // The lowest address, page by page, where the controller's flash differs from what the write
    // should have left: every page the write sent as in `written`, every other page of the area
    // erased. `readBack` holds valid bytes only in [readStart, readEnd): an address of the area
    // outside that range came back missing and counts as different; a sent page beyond the area
    // (which the area's read-out does not cover) is compared where it was read. Empty when all
    // agree.
    static std::optional<int> FirstDifference(const FlashImage& written, const FlashImage& readBack,
                                              int readStart, int readEnd, const FlashArea& area);
};

}  // namespace orvane::device
