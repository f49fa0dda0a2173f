// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/SerialStack.h"

#include "core/device/PosixPortOpener.h"

namespace orvane::device {

SerialStack::SerialStack(host::SettingsStore& settings, host::Clock& clock, host::Prompts& prompts,
                         host::Timers& timers, ModeObserver* observer)
    : ownOpener_(std::make_unique<PosixPortOpener>(settings)),
      serial_(*ownOpener_, clock, prompts),
      link_(serial_, settings, prompts, timers, observer) {}

SerialStack::SerialStack(PortOpener& opener, host::SettingsStore& settings, host::Clock& clock,
                         host::Prompts& prompts, host::Timers& timers, ModeObserver* observer)
    : serial_(opener, clock, prompts), link_(serial_, settings, prompts, timers, observer) {}

}  // namespace orvane::device
