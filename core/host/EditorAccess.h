// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/host/EditorText.h"

namespace orvane::host {

// What a run or a compile needs of the editor beyond its text: the selection that shows the
// current statement, the enabled state that marks a run, lines for inline assembler, and the
// variable list shown beside the text during a run.
class EditorAccess : public EditorText {
public:
    virtual void GetSelection(std::int32_t& start, std::int32_t& end) const = 0;
    virtual void SetSelection(std::int32_t start, std::int32_t end) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void Focus() = 0;

    // Line queries in the same positions as CharAt. LineText gives the line with its line end
    // removed; LineStart of a line past the last gives Length().
    virtual std::int32_t LineFromPosition(std::int32_t pos) const = 0;
    virtual std::string LineText(std::int32_t line) const = 0;
    virtual std::int32_t LineStart(std::int32_t line) const = 0;

    // The run's variable list beside the editor (the editor's text area shrinks to make room).
    virtual void ShowVariableList(bool show) = 0;
    virtual void SetVariableLines(const std::vector<std::string>& lines) = 0;
};

}  // namespace orvane::host
