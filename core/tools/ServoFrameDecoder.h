// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "core/commands/CommandTable.h"
#include "core/device/WriteObserver.h"
#include "core/host/SettingsStore.h"

namespace orvane::tools {

// Follows the set-command frames written to the controller, whoever writes them (a run, the
// servo dialogs), and tells where each servo was last commanded: the servo view's source.
// The frames of the position command named in the settings and of its degrees twin are
// recognised by identifier and length; the position is given in the units of the position
// command (its fifth argument's scaling undone), 0 or less meaning the servo was switched off.
class ServoFrameDecoder : public device::WriteObserver {
public:
    struct Position {
        int servo = 0;  // 1..16
        int position = 0;
        bool operator==(const Position&) const = default;
    };
    using Sink = std::function<void(const Position&)>;

    ServoFrameDecoder(const commands::CommandTable& commands, const host::SettingsStore& settings, Sink sink);

    void Written(std::span<const std::uint8_t> bytes) override;

    // The servo and position a frame commands, or nothing when it is no set frame.
    std::optional<Position> Decode(std::span<const std::uint8_t> frame) const;

private:
    const commands::CommandTable& commands_;
    const host::SettingsStore& settings_;
    Sink sink_;
};

}  // namespace orvane::tools
