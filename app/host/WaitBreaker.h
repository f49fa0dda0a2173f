// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <atomic>

namespace orvane::app::host {

// Cuts the device thread's waits short when the window asks: Stop pressed while a silent
// controller keeps a run's statement waiting. The window arms it together with the stop it
// posts and fires it if that work has not begun shortly after; the work disarms it as it begins,
// so a firing never outlasts the stop it was for. Shared by the two threads.
class WaitBreaker {
public:
    void Arm() { state_.store(kArmed); }
    // True when it fired now: it was armed and nothing disarmed it since.
    bool FireIfArmed() {
        int armed = kArmed;
        return state_.compare_exchange_strong(armed, kFired);
    }
    void Disarm() { state_.store(kIdle); }
    bool Fired() const { return state_.load() == kFired; }

private:
    static constexpr int kIdle = 0;
    static constexpr int kArmed = 1;
    static constexpr int kFired = 2;
    std::atomic<int> state_{kIdle};
};

}  // namespace orvane::app::host
