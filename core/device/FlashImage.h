// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>

namespace orvane::device {

// The controller's whole program memory as the PC sees it. 0xFF is erased flash, so it also
// stands for "no data here": readers start from an erased image and writers leave 0xFF out.
class FlashImage {
public:
    static constexpr int kSize = 8192;
    static constexpr int kPageSize = 64;
    static constexpr int kPages = kSize / kPageSize;  // 128
    // Resident firmware, [kSystemStart, kSystemEnd).
    static constexpr int kSystemStart = 0x0000;
    static constexpr int kSystemEnd = 0x0700;
    // User program, [kProgramStart, kProgramEnd); the 256 bytes above belong to no file.
    static constexpr int kProgramStart = 0x0700;
    static constexpr int kProgramEnd = 0x1F00;
    static constexpr std::uint8_t kErased = 0xFF;

    FlashImage() { Erase(); }

    // Every byte back to 0xFF.
    void Erase();

    // Byte access; the address must lie in [0, kSize).
    std::uint8_t& operator[](int address);
    std::uint8_t operator[](int address) const;
    std::uint8_t* Data() { return bytes_.data(); }
    const std::uint8_t* Data() const { return bytes_.data(); }

    // Page p (0 to kPages - 1) holds the addresses p * kPageSize to p * kPageSize + 63.
    bool PageEmpty(int page) const;
    std::uint8_t* Page(int page);
    const std::uint8_t* Page(int page) const;

    bool operator==(const FlashImage&) const = default;

private:
    // A page never mixes System, Program and the top of memory.
    static_assert(kSystemEnd % kPageSize == 0 && kProgramEnd % kPageSize == 0);
    std::array<std::uint8_t, kSize> bytes_;
};

}  // namespace orvane::device
