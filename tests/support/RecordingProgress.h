// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include "core/host/Progress.h"

namespace orvane::test {

// Records the progress bar's range and every position it was set to.
class RecordingProgress : public host::Progress {
public:
    void Begin(int rangeMax) override {
        ranges.push_back(rangeMax);
        positions.clear();
        shown = true;
    }
    void SetPosition(int position) override { positions.push_back(position); }
    void End() override { shown = false; }
    void SetCancellable(bool on) override { cancellable = on; }
    // The user presses Cancel once the bar has reached `cancelAt`, if it is offered then.
    bool CancelRequested() override {
        cancelled = cancelled || (cancelAt >= 0 && cancellable && !positions.empty() && positions.back() >= cancelAt);
        return cancelled;
    }

    std::vector<int> ranges;     // one per Begin
    std::vector<int> positions;  // since the last Begin
    bool shown = false;
    bool cancellable = false;
    int cancelAt = -1;
    bool cancelled = false;
};

}  // namespace orvane::test
