// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "core/device/DeviceMode.h"

namespace orvane::device {

// Told of every mode reply the link applies: the window's mode pane shows it, the CLI prints it.
class ModeObserver {
public:
    virtual ~ModeObserver() = default;
    virtual void ModeApplied(DeviceMode mode) = 0;
    // The port's device went away (true) and, after the state check reopened it, is back (false).
    virtual void LinkLost(bool /*lost*/) {}
};

}  // namespace orvane::device
