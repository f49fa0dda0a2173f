#pragma once
#include <string_view>

namespace orvane::script {

// The "&Wykonaj" run commands: their ids, the texts `runCommand` takes, and which of them the
// window enables, as plain functions of the text being empty or not, DeviceMode, `runCommand`
// and whether the editor is enabled (it is disabled while a script runs).
class RunRules {
public:
    static constexpr int kStartId = 32806;    // "&Uruchom\tF5"
    static constexpr int kStepId = 32802;     // "Krok\tF10"
    static constexpr int kPauseId = 32803;    // "Pauza\tF7"
    static constexpr int kStopId = 32805;     // "&Stop\tShift+F5"
    static constexpr int kRestartId = 32804;  // "Restart\tF8"

    static constexpr std::string_view kStop = "Stop";  // at start-up and after Stop
    static constexpr std::string_view kStart = "Start";
    static constexpr std::string_view kPause = "Pauza";
    static constexpr std::string_view kStep = "Krok";

    static bool CanStart(bool hasText, std::string_view mode, std::string_view runCommand);
    static bool CanStep(bool hasText, std::string_view mode);
    static bool CanPause(bool hasText, std::string_view mode, std::string_view runCommand,
                         bool editorEnabled);
    static bool CanStop(bool editorEnabled);
    static bool CanRestart(bool hasText, std::string_view mode, bool editorEnabled);
};

}  // namespace orvane::script
