// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/window/CommandIds.h"
#include "app/shell/ShellState.h"

namespace orvane::app::shell {

// When each command of the window is enabled: one function per rule, over the plain
// ShellState, so the rules are tested without a window. The device and run rules are the
// core's own (ModeRules, RunRules); this class maps every command onto one of them.
class CommandRules {
public:
    static bool IsEnabled(window::CommandId id, const ShellState& s);

    static bool Always(const ShellState&) { return true; }
    static bool HasText(const ShellState& s) { return s.hasText; }
    static bool CanExit(const ShellState& s);
    // Edycja: the editor's own rules; nothing changes the text while a run holds it.
    static bool CanUndo(const ShellState& s) { return s.editorEnabled && s.canUndo; }
    static bool CanRedo(const ShellState& s) { return s.editorEnabled && s.canRedo; }
    static bool CanCut(const ShellState& s) { return s.editorEnabled && s.hasSelection; }
    static bool CanCopy(const ShellState& s) { return s.hasSelection; }
    static bool CanPaste(const ShellState& s) { return s.editorEnabled && s.canPaste; }
    static bool CanSearch(const ShellState& s) { return s.hasText; }
    static bool CanReplace(const ShellState& s) { return s.editorEnabled && s.hasText; }
    static bool CanEditServos(const ShellState& s);
    static bool CanControlByRs(const ShellState& s);
    static bool CanEditDeviceParameters(const ShellState& s);
    // Tryb pracy
    static bool CanCheckState(const ShellState& s);
    static bool CanSwitchToBootLoader(const ShellState& s);
    static bool CanSwitchToSystem(const ShellState& s);
    static bool CanSwitchFromSystem(const ShellState& s);  // Komendy, Program, Program + CTRL
    // Wykonaj
    static bool CanStart(const ShellState& s);
    static bool CanRestart(const ShellState& s);
    static bool CanStep(const ShellState& s);
    static bool CanPause(const ShellState& s);
    static bool CanStop(const ShellState& s);
    static bool CanCompile(const ShellState& s);
    static bool CanSimulate(const ShellState& s);
    static bool CanTransferFlash(const ShellState& s);
    static bool CanQueryVersion(const ShellState& s);
};

}  // namespace orvane::app::shell
