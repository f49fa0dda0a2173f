// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/ModeRules.h"

namespace orvane::device {

bool ModeRules::CanCheckState(bool editorEnabled) { return editorEnabled; }

bool ModeRules::CanSwitchToBootLoader(DeviceMode mode, bool editorEnabled) {
    return editorEnabled && mode != DeviceMode::BootLoader && mode != DeviceMode::Unknown;
}

bool ModeRules::CanSwitchToSystem(DeviceMode mode, bool editorEnabled) {
    return editorEnabled && mode != DeviceMode::System && mode != DeviceMode::Unknown;
}

bool ModeRules::CanSwitchToKomendy(DeviceMode mode, bool editorEnabled) {
    return editorEnabled && mode == DeviceMode::System;
}

bool ModeRules::CanControlByRs(DeviceMode mode) { return mode == DeviceMode::System; }

bool ModeRules::CanEditPositions(DeviceMode mode) { return mode == DeviceMode::Komendy; }

bool ModeRules::CanEditDeviceParameters(DeviceMode mode) {
    return mode != DeviceMode::Unknown;
}

bool ModeRules::CanTransferFlash(DeviceMode mode) {
    return mode == DeviceMode::System || mode == DeviceMode::Program ||
           mode == DeviceMode::BootLoader;
}

bool ModeRules::CanQueryVersion(DeviceMode mode) { return mode == DeviceMode::System; }

}  // namespace orvane::device
