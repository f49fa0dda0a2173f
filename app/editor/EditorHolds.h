// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane::app::editor {

class ScriptEditor;

// Keeps the editor read-only while work on the device thread holds its text (a run, a compile),
// and from the moment such work is posted, so the text it was handed cannot change before it
// begins. The work itself says when it takes and gives back the editor.
class EditorHolds {
public:
    explicit EditorHolds(ScriptEditor& editor) : editor_(editor) {}

    // Work is posted that is to take the editor.
    void Expect();
    // That work has run; what it said of the editor came before this.
    void Arrived();
    // The work on the device thread holds the editor (true) or gave it back (false).
    void SetHeld(bool held);
    // A run or a compile holds the text, or is on its way to.
    bool IsHeld() const { return expected_ > 0 || held_; }

private:
    void Apply();

    ScriptEditor& editor_;
    int expected_ = 0;
    bool held_ = false;
};

}  // namespace orvane::app::editor
