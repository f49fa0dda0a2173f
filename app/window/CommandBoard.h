// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

#include "app/window/CommandIds.h"
#include "core/script/RunRules.h"

namespace orvane::app::window {

// The window's commands as a feature sees them: it carries out the commands it owns and tells
// the enabling rules where a run stands. The menus, toolbars and accelerators stay the window's.
class CommandBoard {
public:
    virtual ~CommandBoard() = default;
    // `handler` runs each time the command is chosen, from its menu item, button or keys.
    virtual void SetHandler(CommandId id, std::function<void()> handler) = 0;
    // The last run command, which the run commands' rules follow.
    virtual void SetRunCommand(orvane::script::RunCommand command) = 0;
    // Whether a simulation runs: it has Stop, and keeps the runs and compiles waiting.
    virtual void SetSimulating(bool simulating) = 0;
};

}  // namespace orvane::app::window
