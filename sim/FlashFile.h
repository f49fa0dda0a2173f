// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "core/device/FlashImage.h"
#include "core/host/Prompts.h"

namespace orvane::sim {

// The simulator's flash memory kept between runs as an Intel HEX file.
class FlashFile {
public:
    // A missing file gives an erased image (true). A file that cannot be read whole and sound
    // is refused (false, reason in UTF-8) so that the end of the run never writes a truncated
    // image over it.
    static bool Load(const std::string& path, device::FlashImage& image, host::Prompts& prompts,
                     std::string& error);
    // Every 16-byte block holding data, one record each, written atomically.
    static bool Save(const std::string& path, const device::FlashImage& image, std::string& error);
    static std::string ToHex(const device::FlashImage& image);
};

}  // namespace orvane::sim
