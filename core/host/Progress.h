// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane::host {

// The progress bar an erase or a write shows while it holds the thread (range 0..7 or 0..137).
class Progress {
public:
    virtual ~Progress() = default;
    virtual void Begin(int rangeMax) = 0;
    virtual void SetPosition(int position) = 0;
    virtual void End() = 0;

    // Stopping at the user's request: an operation offers it only while it can stop without
    // harm (before an erase, while reading), and looks for the request only then.
    virtual void SetCancellable(bool cancellable) { (void)cancellable; }
    virtual bool CancelRequested() { return false; }
};

}  // namespace orvane::host
