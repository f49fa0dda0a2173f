#include "core/host/Clock.h"

#include <chrono>
#include <thread>

namespace orvane::host {

void Clock::WaitSeconds(int n) {
    if (n <= 0) return;
    const std::int64_t target = (ClockSeconds() + n) * 1000;
    for (std::int64_t now = NowMs(); now < target; now = NowMs()) SleepMs(target - now);
}

std::int64_t SteadyClock::NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SteadyClock::SleepMs(std::int64_t ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace orvane::host
