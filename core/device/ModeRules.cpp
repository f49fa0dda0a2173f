#include "core/device/ModeRules.h"

#include "core/device/ModeReply.h"

namespace orvane::device {

bool ModeRules::CanCheckState(bool editorEnabled) { return editorEnabled; }

bool ModeRules::CanSwitchToBootLoader(std::string_view mode, bool editorEnabled) {
    return editorEnabled && mode != ModeReply::kBootLoader && mode != ModeReply::kUnknown;
}

bool ModeRules::CanSwitchToSystem(std::string_view mode, bool editorEnabled) {
    return editorEnabled && mode != ModeReply::kSystem && mode != ModeReply::kUnknown;
}

bool ModeRules::CanSwitchToKomendy(std::string_view mode, bool editorEnabled) {
    return editorEnabled && mode == ModeReply::kSystem;
}

bool ModeRules::CanSwitchToProgram(std::string_view mode, bool editorEnabled) {
    return editorEnabled && mode == ModeReply::kSystem;
}

bool ModeRules::CanProgramAndCtrl(std::string_view mode, bool editorEnabled) {
    return editorEnabled && mode == ModeReply::kSystem;
}

bool ModeRules::CanResetRs232() { return true; }

bool ModeRules::CanControlByRs(std::string_view mode) { return mode == ModeReply::kSystem; }

bool ModeRules::CanEditPositions(std::string_view mode) { return mode == ModeReply::kKomendy; }

bool ModeRules::CanEditSequence(std::string_view mode) { return mode == ModeReply::kKomendy; }

bool ModeRules::CanEditDeviceParameters(std::string_view mode) {
    return mode != ModeReply::kUnknown;
}

bool ModeRules::CanTransferFlash(std::string_view mode) {
    return mode == ModeReply::kSystem || mode == ModeReply::kProgram ||
           mode == ModeReply::kBootLoader;
}

bool ModeRules::CanQueryVersion(std::string_view mode) { return mode == ModeReply::kSystem; }

}  // namespace orvane::device
