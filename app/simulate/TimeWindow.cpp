// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulate/TimeWindow.h"

#include <algorithm>
#include <cmath>

namespace orvane::app::simulate {

std::int64_t TimeWindow::TotalUs() const { return std::max(runEndUs_, kEmptySpanUs); }

void TimeWindow::SetRunEnd(std::int64_t endUs) {
    const bool atEnd = EndUs() >= TotalUs();
    runEndUs_ = std::max<std::int64_t>(endUs, 0);
    if (all_) {
        ShowAll();
        return;
    }
    if (atEnd) startUs_ = TotalUs() - spanUs_;
    Clamp();
}

void TimeWindow::Zoom(double factor, double anchor) {
    if (factor <= 0) return;
    anchor = std::clamp(anchor, 0.0, 1.0);
    const double pinned = static_cast<double>(startUs_) + anchor * static_cast<double>(spanUs_);
    const auto span = static_cast<std::int64_t>(std::llround(static_cast<double>(spanUs_) / factor));
    spanUs_ = std::clamp(span, kMinSpanUs, TotalUs());
    startUs_ = static_cast<std::int64_t>(std::llround(pinned - anchor * static_cast<double>(spanUs_)));
    all_ = spanUs_ >= TotalUs();
    Clamp();
}

void TimeWindow::Scroll(std::int64_t deltaUs) { ScrollTo(startUs_ + deltaUs); }

void TimeWindow::ScrollTo(std::int64_t startUs) {
    startUs_ = startUs;
    Clamp();
}

void TimeWindow::ShowAll() {
    all_ = true;
    startUs_ = 0;
    spanUs_ = TotalUs();
}

void TimeWindow::Clamp() {
    spanUs_ = std::clamp(spanUs_, kMinSpanUs, TotalUs());
    startUs_ = std::clamp<std::int64_t>(startUs_, 0, TotalUs() - spanUs_);
}

}  // namespace orvane::app::simulate
