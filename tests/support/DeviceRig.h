// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/device/DeviceLink.h"
#include "core/device/ModeObserver.h"
#include "core/device/SerialStack.h"
#include "core/host/MemorySettings.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeTimers.h"
#include "tests/support/ScriptedPort.h"
#include "tests/support/ScriptedPrompts.h"

namespace orvane::test {

// A device link over a scripted wire with every host double it needs: fake clock and timers,
// scripted prompts, settings in memory, and a record of the mode pane's notifications.
struct DeviceRig {
    struct Pane : device::ModeObserver {
        void ModeApplied(device::DeviceMode mode) override { modes.emplace_back(device::ModeName(mode)); }
        std::vector<std::string> modes;
    };

    DeviceRig() { wire->clock = &clock; }

    // Queues one reply per coming write, in order; an empty entry leaves that write unanswered.
    void Replies(std::vector<std::vector<std::uint8_t>> replies) {
        auto queue = std::make_shared<std::vector<std::vector<std::uint8_t>>>(std::move(replies));
        auto next = std::make_shared<std::size_t>(0);
        wire->responder = [queue, next](const std::vector<std::uint8_t>&, Wire& w) {
            if (*next < queue->size()) w.ReplyBytes((*queue)[(*next)++]);
        };
    }

    FakeClock clock{1'000'400};
    std::shared_ptr<Wire> wire = std::make_shared<Wire>();
    ScriptedOpener opener{wire};
    ScriptedPrompts prompts;
    FakeTimers timers;
    host::MemorySettings settings;
    Pane pane;
    device::SerialStack stack{opener, settings, clock, prompts, timers, &pane};
    device::CSerialCtrl& serial = stack.Serial();
    device::DeviceLink& link = stack.Link();
};

}  // namespace orvane::test
