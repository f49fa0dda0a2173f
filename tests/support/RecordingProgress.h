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

    std::vector<int> ranges;     // one per Begin
    std::vector<int> positions;  // since the last Begin
    bool shown = false;
};

}  // namespace orvane::test
