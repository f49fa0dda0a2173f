// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>

namespace orvane::device {

// The controller's two start-up flags, as the device-parameters dialog shows them.
struct DeviceParams {
    bool runUserProgramAtStart = false;  // "Uruchamiaj pragram użytkownika na starcie"
    bool startInKomendy = false;         // "Rozpocznij pracę od trybu Komendy"

    // On the wire the first flag is inverted (0x00 = set) and the second is not (0xFF = set).
    std::uint8_t FirstWireByte() const { return runUserProgramAtStart ? 0x00 : 0xFF; }
    std::uint8_t SecondWireByte() const { return startInKomendy ? 0xFF : 0x00; }
    // Replies as read; a missing one reads as set for both flags.
    static DeviceParams FromReplies(std::optional<std::uint8_t> first,
                                    std::optional<std::uint8_t> second) {
        return {first != 0xFF, second != 0x00};
    }
};

}  // namespace orvane::device
