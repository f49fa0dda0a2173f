// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

namespace orvane::app::window {

// The status bar's message pane, where a feature says what became of an operation.
class StatusLine {
public:
    virtual ~StatusLine() = default;
    // Shown for `timeoutMs`, or until the next message when 0.
    virtual void ShowMessage(const QString& text, int timeoutMs) = 0;
};

}  // namespace orvane::app::window
