// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/CommandRules.h"

#include "core/device/DeviceMode.h"
#include "core/device/ModeRules.h"
#include "core/script/RunRules.h"

namespace orvane::app::shell {

using device::DeviceMode;
using device::ModeRules;
using script::RunRules;

bool CommandRules::CanExit(const ShellState& s) { return s.mode != DeviceMode::Komendy; }

bool CommandRules::CanEditServos(const ShellState& s) { return ModeRules::CanEditPositions(s.mode); }

bool CommandRules::CanControlByRs(const ShellState& s) { return ModeRules::CanControlByRs(s.mode); }

bool CommandRules::CanEditDeviceParameters(const ShellState& s) {
    return ModeRules::CanEditDeviceParameters(s.mode);
}

bool CommandRules::CanCheckState(const ShellState& s) {
    return ModeRules::CanCheckState(s.editorEnabled);
}

bool CommandRules::CanSwitchToBootLoader(const ShellState& s) {
    return ModeRules::CanSwitchToBootLoader(s.mode, s.editorEnabled);
}

bool CommandRules::CanSwitchToSystem(const ShellState& s) {
    return ModeRules::CanSwitchToSystem(s.mode, s.editorEnabled);
}

bool CommandRules::CanSwitchFromSystem(const ShellState& s) {
    return ModeRules::CanSwitchToKomendy(s.mode, s.editorEnabled);
}

bool CommandRules::CanStart(const ShellState& s) {
    return !s.simulating && RunRules::CanStart(s.hasText, s.mode, s.runCommand);
}

bool CommandRules::CanRestart(const ShellState& s) {
    return !s.simulating && RunRules::CanRestart(s.hasText, s.mode, s.editorEnabled);
}

bool CommandRules::CanStep(const ShellState& s) { return !s.simulating && RunRules::CanStep(s.hasText, s.mode); }

bool CommandRules::CanPause(const ShellState& s) {
    return !s.simulating && RunRules::CanPause(s.hasText, s.mode, s.runCommand, s.editorEnabled);
}

bool CommandRules::CanStop(const ShellState& s) { return s.simulating || RunRules::CanStop(s.editorEnabled); }

// Needs no controller: only a script, and no run, compile or simulation holding it.
bool CommandRules::CanSimulate(const ShellState& s) { return s.hasText && s.editorEnabled && !s.simulating; }

bool CommandRules::CanCompile(const ShellState& s) {
    return s.hasText && s.mode != DeviceMode::Komendy;
}

bool CommandRules::CanTransferFlash(const ShellState& s) {
    return ModeRules::CanTransferFlash(s.mode);
}

bool CommandRules::CanQueryVersion(const ShellState& s) {
    return ModeRules::CanQueryVersion(s.mode);
}

bool CommandRules::IsEnabled(window::CommandId id, const ShellState& s) {
    using enum window::CommandId;
    switch (id) {
        case FileSave: case FileSaveAs: case FilePrint: case FilePrintPreview: case FilePageSetup:
            return HasText(s);
        case AppExit: return CanExit(s);
        case EditUndo: return CanUndo(s);
        case EditRedo: return CanRedo(s);
        case EditCut: return CanCut(s);
        case EditCopy: return CanCopy(s);
        case EditPaste: case EditPasteSpecial: return CanPaste(s);
        case EditSelectAll: case EditFind: case EditFindNext: return CanSearch(s);
        case EditReplace: return CanReplace(s);
        case EditPosition: case EditSequence: return CanEditServos(s);
        case ControlByRs: return CanControlByRs(s);
        case OptionsDeviceParameters: return CanEditDeviceParameters(s);
        case ModeCheckState: return CanCheckState(s);
        case ModeBootLoader: return CanSwitchToBootLoader(s);
        case ModeSystem: return CanSwitchToSystem(s);
        case ModeKomendy: case ModeProgram: case ModeProgramCtrl: return CanSwitchFromSystem(s);
        case RunStart: return CanStart(s);
        case RunRestart: return CanRestart(s);
        case RunStep: return CanStep(s);
        case RunPause: return CanPause(s);
        case RunStop: return CanStop(s);
        case RunCompile: return CanCompile(s);
        case RunSimulate: return CanSimulate(s);
        case ProgramWrite: case ProgramRead: case ProgramErase:
        case SystemWrite: case SystemRead: case SystemErase:
            return CanTransferFlash(s);
        case SystemVersion: return CanQueryVersion(s);
        default: return Always(s);
    }
}

}  // namespace orvane::app::shell
