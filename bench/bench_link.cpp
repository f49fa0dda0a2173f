// SPDX-License-Identifier: GPL-3.0-or-later
// Link latency and idle cost, measured over a real pseudo-terminal against the virtual
// controller's own host (VirtualController + PtyHost, run on a thread of this process):
//  1. round trip of one state query (0x00 -> 0xFF) through CSerialCtrl, median of many;
//     target: below 1 ms beyond the time the two bytes would take on the wire;
//  2. processor time spent by a 3-second ReadByteTimeout that gets no byte;
//     target: below 2 % of one core.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>
#include <unistd.h>
#include <vector>

#include "core/device/ComPortMap.h"
#include "core/device/SerialStack.h"
#include "core/host/MemorySettings.h"
#include "core/host/Prompts.h"
#include "core/platform/SteadyClock.h"
#include "core/platform/TimerQueue.h"
#include "sim/PtyHost.h"
#include "sim/VirtualController.h"

namespace {

using namespace orvane;
using Clock = std::chrono::steady_clock;

constexpr int kBaud = 115200;
constexpr int kPort = 0;
constexpr int kRoundTrips = 2000;

class NoPrompts : public host::Prompts {
public:
    host::Answer Ask(const std::string&, const std::string&, host::Buttons, host::Icon) override {
        return host::Answer::Ok;
    }
};

// Processor time of this thread or of the whole process, at nanosecond resolution (getrusage
// counts in scheduler ticks, too coarse for a wait that should cost almost nothing).
double CpuMs(clockid_t which) {
    timespec t{};
    ::clock_gettime(which, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

// The simulator's host serving on its own thread until the stop pipe is written.
class SimThread {
public:
    SimThread() : controller_(sim::ControllerSetup{}), host_(controller_, log_) {
        std::string error;
        if (::pipe(stop_) != 0 || !host_.Open(kBaud, error)) {
            std::fprintf(stderr, "bench_link: %s\n", error.c_str());
            std::exit(1);
        }
        thread_ = std::thread([this] {
            std::string why;
            host_.Run(stop_[0], why);
        });
    }
    ~SimThread() {
        [[maybe_unused]] const ssize_t written = ::write(stop_[1], "x", 1);
        thread_.join();
        ::close(stop_[0]);
        ::close(stop_[1]);
    }
    const std::string& SlavePath() const { return host_.SlavePath(); }

private:
    sim::TrafficLog log_;
    sim::VirtualController controller_;
    sim::PtyHost host_;
    int stop_[2] = {-1, -1};
    std::thread thread_;
};

}  // namespace

int main() {
    SimThread sim;
    host::MemorySettings settings;
    settings.WriteString(device::ComPortMap::OverrideKey(1), sim.SlavePath());
    platform::SteadyClock clock;
    NoPrompts prompts;
    platform::TimerQueue timers([] { return std::int64_t{0}; });
    device::SerialStack stack(settings, clock, prompts, timers);
    device::CSerialCtrl& ctrl = stack.Serial();
    if (!ctrl.OpenPort(kPort) || !ctrl.SetBaud(kBaud, kPort)) {
        std::fprintf(stderr, "bench_link: cannot open %s\n", sim.SlavePath().c_str());
        return 1;
    }

    std::vector<double> micros;
    const std::uint8_t query = 0x00;
    for (int i = 0; i < kRoundTrips; ++i) {
        const auto start = Clock::now();
        ctrl.DiscardInput(kPort);
        ctrl.WriteBytes(&query, 1, kPort);
        const auto reply = ctrl.ReadByteTimeout(kPort, 1);
        const auto end = Clock::now();
        if (reply != 0xFF) {
            std::fprintf(stderr, "bench_link: reply %d to the state query\n", reply ? *reply : -1);
            return 1;
        }
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    const double wireUs = 2 * 10 * 1e6 / kBaud;  // two bytes of 10 bits (8N1) at 115200
    const double median = Percentile(micros, 0.5);
    std::printf("state query round trip over the pty, %d runs:\n", kRoundTrips);
    std::printf("  median %.1f us, p90 %.1f us, p99 %.1f us\n", median, Percentile(micros, 0.9),
                Percentile(micros, 0.99));
    std::printf("  wire time of the 2 bytes at %d baud: %.1f us (a pty adds none)\n", kBaud, wireUs);
    std::printf("  median beyond the wire time: %.1f us (target < 1000 us): %s\n", median,
                median < 1000 ? "OK" : "MISSED");

    const double threadCpu = CpuMs(CLOCK_THREAD_CPUTIME_ID);
    const double processCpu = CpuMs(CLOCK_PROCESS_CPUTIME_ID);
    const auto start = Clock::now();
    const auto none = ctrl.ReadByteTimeout(kPort, 3);
    const double wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const double waitCpu = CpuMs(CLOCK_THREAD_CPUTIME_ID) - threadCpu;
    const double allCpu = CpuMs(CLOCK_PROCESS_CPUTIME_ID) - processCpu;
    std::printf("ReadByteTimeout(3 s) without a byte: returned %s after %.0f ms\n",
                none ? "a byte" : "nothing", wallMs);
    std::printf("  processor time of the waiting thread %.2f ms = %.3f %% of a core (target < 2 %%): %s\n",
                waitCpu, 100 * waitCpu / wallMs, 100 * waitCpu / wallMs < 2 ? "OK" : "MISSED");
    std::printf("  whole process, simulator thread included: %.2f ms = %.3f %% of a core\n", allCpu,
                100 * allCpu / wallMs);
    ctrl.ClosePort(kPort);
    return 0;
}
