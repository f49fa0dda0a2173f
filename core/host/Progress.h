#pragma once

namespace orvane::host {

// The progress bar an erase or a write shows while it holds the thread (range 0..7 or 0..137).
class Progress {
public:
    virtual ~Progress() = default;
    virtual void Begin(int rangeMax) = 0;
    virtual void SetPosition(int position) = 0;
    virtual void End() = 0;
};

}  // namespace orvane::host
