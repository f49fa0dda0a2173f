// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "core/device/DeviceMode.h"
#include "core/script/RunRules.h"

namespace orvane::app::shell {

// Everything the enabling rules of the commands look at. The window keeps one and re-evaluates
// the rules whenever a field changes (a mode reply, a run command, the editor's state).
struct ShellState {
    orvane::device::DeviceMode mode = orvane::device::DeviceMode::NotQueried;
    orvane::script::RunCommand runCommand = orvane::script::RunCommand::Stop;
    bool editorEnabled = true;       // false while a script runs or compiles
    bool simulating = false;         // a compiled program runs on the simulated chip
    bool hasText = false;
    // The editor's own state, for the Edycja items.
    bool canUndo = false;
    bool canRedo = false;
    bool hasSelection = false;
    bool canPaste = false;

    bool operator==(const ShellState&) const = default;
};

}  // namespace orvane::app::shell
