// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace orvane::app::simulate {

// The stretch of simulated time the timeline shows: where it starts and how long it is, inside
// [0, the run's end]. Until the user zooms it shows the whole run as it grows; once zoomed it
// keeps its length and, while its right edge is at the run's end, follows the end like a chart
// recorder. Plain C++, so zoom and scroll are tested without a widget.
class TimeWindow {
public:
    static constexpr std::int64_t kMinSpanUs = 1'000;       // 1 ms across the whole plot
    static constexpr std::int64_t kEmptySpanUs = 1'000'000;  // what an empty or short run shows

    std::int64_t StartUs() const { return startUs_; }
    std::int64_t SpanUs() const { return spanUs_; }
    std::int64_t EndUs() const { return startUs_ + spanUs_; }
    bool ShowsAll() const { return all_; }
    // The length the window moves in: the run, or a second before there is more of it.
    std::int64_t TotalUs() const;

    // The run has reached `endUs` (it may also have started again from 0).
    void SetRunEnd(std::int64_t endUs);
    // Zoom by `factor` (above 1 shows less time) keeping the time at `anchor` (0 = left edge,
    // 1 = right edge of the plot) where it is.
    void Zoom(double factor, double anchor);
    // Move by `deltaUs` (negative: towards the start); stops at either end of the run.
    void Scroll(std::int64_t deltaUs);
    void ScrollTo(std::int64_t startUs);
    void ShowAll();

private:
    void Clamp();

    std::int64_t runEndUs_ = 0;
    std::int64_t startUs_ = 0;
    std::int64_t spanUs_ = kEmptySpanUs;
    bool all_ = true;
};

}  // namespace orvane::app::simulate
