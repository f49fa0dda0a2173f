// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/host/EditorDisplay.h"
#include "core/script/RunRules.h"

namespace orvane::app::device {

// Where a run stands, as the window learns it after each of its steps.
struct RunStatus {
    bool exists = false;  // a run holds the editor
    orvane::script::RunCommand command = orvane::script::RunCommand::Stop;
    bool halted = false;  // waiting for Krok, Uruchom or Stop

    bool operator==(const RunStatus&) const = default;
};

// The window's side of a run: the editor display, and the run's status.
class RunDisplay : public host::EditorDisplay {
public:
    virtual void ShowStatus(const RunStatus& status) = 0;
};

}  // namespace orvane::app::device
