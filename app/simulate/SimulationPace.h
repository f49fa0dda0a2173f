// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace orvane::app::simulate {

// How a simulation keeps step with the wall clock. The chip runs in slices of simulated time;
// after each one the pace says how long to sleep and how long the next slice is, so that
// simulated time runs `factor` times as fast as real time (0: as fast as the machine can) and
// no slice takes much more than kTargetWallUs of wall time: Stop and the window's view of the
// servos are never further away than that. Times in microseconds; no clock of its own, so tests
// give it the times they like.
class SimulationPace {
public:
    static constexpr std::int64_t kTargetWallUs = 20'000;
    static constexpr std::int64_t kMinSliceUs = 100;
    static constexpr std::int64_t kMaxSliceUs = 2'000'000;
    // Further behind than this the pace gives up the lost time instead of racing to make it up
    // (a machine busy for a moment would otherwise replay the servos' moves at a sprint).
    static constexpr std::int64_t kMaxLagUs = 250'000;

    struct Step {
        std::int64_t sleepUs = 0;
        std::int64_t sliceUs = 0;
    };

    explicit SimulationPace(double factor = 1.0) : factor_(factor < 0 ? 0 : factor) {}

    // The run begins: `simUs` of simulated time at `wallUs` of wall time.
    Step Start(std::int64_t simUs, std::int64_t wallUs);
    // A new speed from now on; the time run so far stays as it ran.
    void SetFactor(double factor, std::int64_t simUs, std::int64_t wallUs);
    double Factor() const { return factor_; }
    // A slice has run: it reached `simUs` at `wallUs`, having cost `costUs` of wall time.
    Step Next(std::int64_t simUs, std::int64_t wallUs, std::int64_t costUs);

private:
    void Anchor(std::int64_t simUs, std::int64_t wallUs);
    std::int64_t SliceFor(std::int64_t costUs);

    double factor_;
    std::int64_t anchorSimUs_ = 0;
    std::int64_t anchorWallUs_ = 0;
    std::int64_t sliceUs_ = kMinSliceUs;
};

}  // namespace orvane::app::simulate
