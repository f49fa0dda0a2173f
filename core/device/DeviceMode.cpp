// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/DeviceMode.h"

#include "core/device/ControllerBytes.h"

namespace orvane::device {

std::string_view ModeName(DeviceMode mode) {
    switch (mode) {
        case DeviceMode::NotQueried: return "";
        case DeviceMode::System: return "System";
        case DeviceMode::Komendy: return "Komendy";
        case DeviceMode::Program: return "Program";
        case DeviceMode::BootLoader: return "BootLoader";
        case DeviceMode::Unknown: return "Nieznany";
    }
    return "";
}

DeviceMode ModeOfReply(std::optional<std::uint8_t> reply) {
    if (!reply) return DeviceMode::Unknown;
    switch (*reply) {
        case controller::kInSystem: return DeviceMode::System;
        case controller::kInKomendy: return DeviceMode::Komendy;
        case controller::kInBootLoader: return DeviceMode::BootLoader;
        case controller::kInProgram: return DeviceMode::Program;
        default: return DeviceMode::Unknown;
    }
}

}  // namespace orvane::device
