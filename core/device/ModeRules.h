// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "core/device/DeviceMode.h"

namespace orvane::device {

// Which device commands the window enables, as plain functions of DeviceMode and of whether
// the editor is enabled (it is disabled while a script runs or compiles).
class ModeRules {
public:
    // Tryb pracy menu.
    static bool CanCheckState(bool editorEnabled);
    static bool CanSwitchToBootLoader(DeviceMode mode, bool editorEnabled);
    static bool CanSwitchToSystem(DeviceMode mode, bool editorEnabled);
    static bool CanSwitchToKomendy(DeviceMode mode, bool editorEnabled);

    // Device dialogs.
    static bool CanControlByRs(DeviceMode mode);      // "Steruj przez RS"
    static bool CanEditPositions(DeviceMode mode);    // "Edycja Pozycji" and "Edycja Sekwencji"
    static bool CanEditDeviceParameters(DeviceMode mode);

    // Flash operations: writes, read-outs and erases of both areas; the System version.
    static bool CanTransferFlash(DeviceMode mode);
    static bool CanQueryVersion(DeviceMode mode);
};

}  // namespace orvane::device
