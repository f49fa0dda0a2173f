// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

#include "core/device/DeviceLink.h"
#include "core/device/ModeObserver.h"
#include "core/device/PortBackend.h"
#include "core/device/SerialCtrl.h"
#include "core/host/Clock.h"
#include "core/host/Prompts.h"
#include "core/host/SettingsStore.h"
#include "core/host/Timers.h"

namespace orvane::device {

// The controller's connection as every host wires it: a port opener, the port slots over it and
// the device link that holds the conversation. The window, the CLI, the tests and the benchmarks
// build it here instead of each by hand.
class SerialStack {
public:
    // On the system's serial devices, COM numbers mapped through the settings.
    SerialStack(host::SettingsStore& settings, host::Clock& clock, host::Prompts& prompts,
                host::Timers& timers, ModeObserver* observer = nullptr);
    // On another opener (a scripted wire, a wrapper that counts), which must outlive the stack.
    SerialStack(PortOpener& opener, host::SettingsStore& settings, host::Clock& clock,
                host::Prompts& prompts, host::Timers& timers, ModeObserver* observer = nullptr);
    SerialStack(const SerialStack&) = delete;
    SerialStack& operator=(const SerialStack&) = delete;

    CSerialCtrl& Serial() { return serial_; }
    DeviceLink& Link() { return link_; }

private:
    std::unique_ptr<PortOpener> ownOpener_;
    CSerialCtrl serial_;
    DeviceLink link_;
};

}  // namespace orvane::device
