// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "core/host/SettingsStore.h"

namespace orvane::device {

// COM numbers stay the user's names for ports; each maps to a device path: /dev/ttyS{n-1}
// unless the setting "Urządzenie COM{n}" names another device (a USB adapter, the virtual
// controller's pseudo-terminal).
class ComPortMap {
public:
    explicit ComPortMap(const host::SettingsStore& settings) : settings_(settings) {}
    // The settings key that overrides the path of a COM number (CP1250).
    static std::string OverrideKey(int comNumber);
    // The device path of a COM number (1-based); empty for a number below 1.
    std::string PathFor(int comNumber) const;

private:
    const host::SettingsStore& settings_;
};

}  // namespace orvane::device
