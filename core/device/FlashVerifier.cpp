#include "core/device/FlashVerifier.h"

namespace orvane::device {

namespace {

// Pages of the area must read back erased even when the file left them empty; pages outside it
// are only looked at when the write sent them.
bool PageToCompare(const FlashImage& written, int page, const FlashArea& area) {
    const int first = page * FlashImage::kPageSize;
    const bool inArea = first >= area.areaStart && first < area.areaEnd;
    return inArea || !written.PageEmpty(page);
}

}  // namespace

std::optional<int> FlashVerifier::FirstDifference(const FlashImage& written,
                                                  const FlashImage& readBack, int readStart,
                                                  int readEnd, const FlashArea& area) {
    for (int page = 0; page < FlashImage::kPages; ++page) {
        if (!PageToCompare(written, page, area)) continue;
        const int first = page * FlashImage::kPageSize;
        for (int address = first; address < first + FlashImage::kPageSize; ++address) {
            const bool received = address >= readStart && address < readEnd;
            if (!received || readBack[address] != written[address]) return address;
        }
    }
    return std::nullopt;
}

}  // namespace orvane::device
