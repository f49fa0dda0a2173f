// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/EditorHolds.h"

#include "app/editor/ScriptEditor.h"

namespace orvane::app::editor {

void EditorHolds::Expect() {
    ++expected_;
    Apply();
}

void EditorHolds::Arrived() {
    if (expected_ > 0) --expected_;
    Apply();
}

void EditorHolds::SetHeld(bool held) {
    held_ = held;
    Apply();
}

void EditorHolds::Apply() { editor_.SetEnabled(expected_ == 0 && !held_); }

}  // namespace orvane::app::editor
