// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace orvane::app::host {

// What work on the device thread shows of the script in the window: the statement it stands at,
// whether it holds the editor, the focus, and a run's variable list. Implemented on the window
// thread; the device thread reaches it through ThreadEditor. Positions are the core's
// (CP1250 characters) in the text the work was given, which the window keeps unchanged meanwhile;
// lines are CP1250.
class EditorDisplay {
public:
    virtual ~EditorDisplay() = default;
    virtual void ShowSelection(std::int32_t start, std::int32_t end) = 0;
    // False while the work holds the editor, true once it gave it back.
    virtual void ShowEnabled(bool enabled) = 0;
    virtual void ShowFocus() = 0;
    virtual void ShowVariableList(bool show) = 0;
    virtual void ShowVariableLines(const std::vector<std::string>& lines) = 0;
};

}  // namespace orvane::app::host
