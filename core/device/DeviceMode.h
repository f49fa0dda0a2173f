// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace orvane::device {

// The controller's last known mode. NotQueried until the first mode query has been answered or
// timed out; Unknown ("Nieznany") when the controller stayed silent or answered something else.
enum class DeviceMode { NotQueried, System, Komendy, Program, BootLoader, Unknown };

// The mode's name as the system shows and prints it: "System", "Komendy", "Program",
// "BootLoader", "Nieznany"; empty before the first query.
std::string_view ModeName(DeviceMode mode);

// The mode a reply to a mode request stands for; no reply at all reads as Unknown.
DeviceMode ModeOfReply(std::optional<std::uint8_t> reply);

}  // namespace orvane::device
