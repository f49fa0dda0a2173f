#pragma once
#include <string_view>

namespace orvane::device {

// Which device commands the window enables, as plain functions of DeviceMode and of whether
// the editor is enabled (it is disabled while a script runs or compiles).
class ModeRules {
public:
    // Tryb pracy menu.
    static bool CanCheckState(bool editorEnabled);
    static bool CanSwitchToBootLoader(std::string_view mode, bool editorEnabled);
    static bool CanSwitchToSystem(std::string_view mode, bool editorEnabled);
    static bool CanSwitchToKomendy(std::string_view mode, bool editorEnabled);
    static bool CanSwitchToProgram(std::string_view mode, bool editorEnabled);
    static bool CanProgramAndCtrl(std::string_view mode, bool editorEnabled);
    static bool CanResetRs232();

    // Device dialogs.
    static bool CanControlByRs(std::string_view mode);      // "Steruj przez RS"
    static bool CanEditPositions(std::string_view mode);    // "Edycja Pozycji"
    static bool CanEditSequence(std::string_view mode);     // "Edycja Sekwencji"
    static bool CanEditDeviceParameters(std::string_view mode);

    // Flash operations: writes, read-outs and erases of both areas; the System version.
    static bool CanTransferFlash(std::string_view mode);
    static bool CanQueryVersion(std::string_view mode);
};

}  // namespace orvane::device
