// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "core/device/DeviceMode.h"

namespace orvane::script {

// The last run command of the "&Wykonaj" menu; Stop at start-up and after Stop.
enum class RunCommand { Stop, Start, Pause, Step };

// The "&Wykonaj" run commands the window enables, as plain
// functions of the text being empty or not, the device mode, the last run command and whether
// the editor is enabled (it is disabled while a script runs).
class RunRules {
public:
    static bool CanStart(bool hasText, device::DeviceMode mode, RunCommand last);
    static bool CanStep(bool hasText, device::DeviceMode mode);
    static bool CanPause(bool hasText, device::DeviceMode mode, RunCommand last, bool editorEnabled);
    static bool CanStop(bool editorEnabled);
    static bool CanRestart(bool hasText, device::DeviceMode mode, bool editorEnabled);
};

}  // namespace orvane::script
