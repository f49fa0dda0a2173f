// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulate/SimulationPace.h"

#include <algorithm>
#include <cmath>

namespace orvane::app::simulate {

SimulationPace::Step SimulationPace::Start(std::int64_t simUs, std::int64_t wallUs) {
    Anchor(simUs, wallUs);
    sliceUs_ = factor_ > 0 ? std::clamp(static_cast<std::int64_t>(std::llround(kTargetWallUs * factor_ / 2)),
                                        kMinSliceUs, kMaxSliceUs)
                           : kMinSliceUs;
    return {0, sliceUs_};
}

void SimulationPace::SetFactor(double factor, std::int64_t simUs, std::int64_t wallUs) {
    factor_ = factor < 0 ? 0 : factor;
    Anchor(simUs, wallUs);
}

void SimulationPace::Anchor(std::int64_t simUs, std::int64_t wallUs) {
    anchorSimUs_ = simUs;
    anchorWallUs_ = wallUs;
}

SimulationPace::Step SimulationPace::Next(std::int64_t simUs, std::int64_t wallUs, std::int64_t costUs) {
    const std::int64_t slice = SliceFor(costUs);
    if (factor_ <= 0) return {0, slice};
    const auto dueWallUs =
        anchorWallUs_ + static_cast<std::int64_t>(std::llround(static_cast<double>(simUs - anchorSimUs_) / factor_));
    if (wallUs - dueWallUs > kMaxLagUs) Anchor(simUs, wallUs);
    return {std::max<std::int64_t>(0, dueWallUs - wallUs), slice};
}

// The next slice as long as the last one could have been to cost the target wall time, growing
// at most fourfold at a time (a program may change from waiting to computing), and at real time
// or faster no longer than the target's worth of simulated time, so the servos move smoothly.
std::int64_t SimulationPace::SliceFor(std::int64_t costUs) {
    const double perUs = static_cast<double>(std::max<std::int64_t>(costUs, 1)) / static_cast<double>(sliceUs_);
    auto fits = static_cast<std::int64_t>(static_cast<double>(kTargetWallUs) / perUs);
    fits = std::min(fits, sliceUs_ * 4);
    if (factor_ > 0) fits = std::min(fits, static_cast<std::int64_t>(std::llround(kTargetWallUs * factor_ / 2)));
    sliceUs_ = std::clamp(fits, kMinSliceUs, kMaxSliceUs);
    return sliceUs_;
}

}  // namespace orvane::app::simulate
