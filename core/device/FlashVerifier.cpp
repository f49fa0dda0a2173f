// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/FlashVerifier.h"

namespace orvane::device {

std::optional<int> FlashVerifier::FirstDifference(const FlashImage& written,
                                                  const FlashImage& readBack, int readStart,
                                                  int readEnd, const FlashArea& area) {
    for (int page = 0; page < FlashImage::kPages; ++page) {
        const int first = page * FlashImage::kPageSize;
        // The area comes back whole: a byte missing there is a difference. A page the write sent
        // beyond the area is compared as far as the read-out of the area reaches.
        const bool inArea = first >= area.areaStart && first < area.areaEnd;
        if (!inArea && written.PageEmpty(page)) continue;
        for (int address = first; address < first + FlashImage::kPageSize; ++address) {
            const bool received = address >= readStart && address < readEnd;
            if (!received && !inArea) continue;
            if (!received || readBack[address] != written[address]) return address;
        }
    }
    return std::nullopt;
}

}  // namespace orvane::device
