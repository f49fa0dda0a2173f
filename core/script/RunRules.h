#pragma once
#include "core/device/DeviceMode.h"

namespace orvane::script {

// The last run command of the "&Wykonaj" menu; Stop at start-up and after Stop.
enum class RunCommand { Stop, Start, Pause, Step };

// The "&Wykonaj" run commands: their ids, and which of them the window enables, as plain
// functions of the text being empty or not, the device mode, the last run command and whether
// the editor is enabled (it is disabled while a script runs).
class RunRules {
public:
    static constexpr int kStartId = 32806;    // "&Uruchom\tF5"
    static constexpr int kStepId = 32802;     // "Krok\tF10"
    static constexpr int kPauseId = 32803;    // "Pauza\tF7"
    static constexpr int kStopId = 32805;     // "&Stop\tShift+F5"
    static constexpr int kRestartId = 32804;  // "Restart\tF8"

    static bool CanStart(bool hasText, device::DeviceMode mode, RunCommand last);
    static bool CanStep(bool hasText, device::DeviceMode mode);
    static bool CanPause(bool hasText, device::DeviceMode mode, RunCommand last, bool editorEnabled);
    static bool CanStop(bool editorEnabled);
    static bool CanRestart(bool hasText, device::DeviceMode mode, bool editorEnabled);
};

}  // namespace orvane::script
