// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>

#include "core/device/DeviceMode.h"
#include "core/device/SerialCtrl.h"

namespace orvane::device {

// Finds the speed a controller listens at, whatever mode it is in. Its speed requests are the
// boot loader's, so a controller heard in another mode is brought into BootLoader at that speed
// (as the RS232 command would have done at the right one) and counted as found only once the
// boot loader itself answers the state query there: a stray byte at a wrong speed that happens
// to look like a mode byte never passes for the controller.
class SpeedFinder {
public:
    struct Found {
        int rate = 0;
        DeviceMode mode = DeviceMode::Unknown;  // the mode it answered in at first
    };

    SpeedFinder(CSerialCtrl& serial, int portIndex) : serial_(serial), portIndex_(portIndex) {}

    // The controller at `rate`, left in BootLoader; nothing when it is not there or did not
    // reach the boot loader.
    std::optional<Found> AtRate(int rate);

private:
    // Discards stale input, sends one byte and reads the mode of the reply within `seconds`.
    DeviceMode Ask(std::uint8_t byte, int seconds);

    CSerialCtrl& serial_;
    int portIndex_;
};

}  // namespace orvane::device
