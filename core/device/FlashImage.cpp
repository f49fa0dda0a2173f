// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/FlashImage.h"

#include <algorithm>
#include <cassert>

namespace orvane::device {

void FlashImage::Erase() { bytes_.fill(kErased); }

std::uint8_t& FlashImage::operator[](int address) {
    assert(address >= 0 && address < kSize);
    return bytes_[static_cast<std::size_t>(address)];
}

std::uint8_t FlashImage::operator[](int address) const {
    assert(address >= 0 && address < kSize);
    return bytes_[static_cast<std::size_t>(address)];
}

bool FlashImage::PageEmpty(int page) const {
    const std::uint8_t* first = Page(page);
    return std::all_of(first, first + kPageSize, [](std::uint8_t b) { return b == kErased; });
}

std::uint8_t* FlashImage::Page(int page) {
    assert(page >= 0 && page < kPages);
    return bytes_.data() + page * kPageSize;
}

const std::uint8_t* FlashImage::Page(int page) const {
    assert(page >= 0 && page < kPages);
    return bytes_.data() + page * kPageSize;
}

}  // namespace orvane::device
