// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/SpeedFinder.h"

#include "core/device/ControllerBytes.h"

namespace orvane::device {

namespace {
using namespace controller;
constexpr int kReplySeconds = 1;
// The way from Komendy or Program to the boot loader passes System with the longer wait.
}  // namespace

DeviceMode SpeedFinder::Ask(std::uint8_t byte, int seconds) {
    serial_.DiscardInput(portIndex_);
    if (!serial_.WriteBytes(&byte, 1, portIndex_)) return DeviceMode::Unknown;
    return ModeOfReply(serial_.ReadByteTimeout(portIndex_, seconds));
}

std::optional<SpeedFinder::Found> SpeedFinder::AtRate(int rate) {
    if (!serial_.SetBaud(rate, portIndex_)) return std::nullopt;
    const DeviceMode first = Ask(kQuery, kReplySeconds);
    if (first == DeviceMode::Unknown) return std::nullopt;
    if (first != DeviceMode::BootLoader) {
        DeviceMode mode = first;
        if (mode == DeviceMode::Komendy || mode == DeviceMode::Program)
            mode = Ask(kToSystem, kSystemOnWayToBootLoaderSeconds);
        if (mode != DeviceMode::System || Ask(kToBootLoader, kReplySeconds) != DeviceMode::BootLoader ||
            Ask(kQuery, kReplySeconds) != DeviceMode::BootLoader) {
            return std::nullopt;
        }
    }
    return Found{rate, first};
}

}  // namespace orvane::device
