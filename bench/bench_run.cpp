// SPDX-License-Identifier: GPL-3.0-or-later
// Script runs: how many statements a second the run loop carries out.
//   1. a device-free loop, while(i<100000){i=i+1;}, on real 1 ms ticks (for a few seconds):
//      the tick sets the pace, at least 900 a second is expected (bare 1 ms sleeps are shown
//      beside it: no run can go faster than the machine wakes up);
//   2. the same loop with the ticks fired back to back: the cost of one statement;
//   3. 1 000 ServoSet statements against orvane-sim at 115200 baud, on real ticks and back to
//      back, set against the limit the bytes of each exchange would set on a real line.
//
//   bench_run [SECONDS]        (default 3 seconds of real ticks for the loop)
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "bench/BenchPrompts.h"
#include "bench/BenchSimulator.h"
#include "core/commands/CommandFile.h"
#include "core/device/ComPortMap.h"
#include "core/device/DeviceLink.h"
#include "core/device/SerialStack.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "core/platform/SteadyClock.h"
#include "core/platform/TextEditorAccess.h"
#include "core/platform/TimerQueue.h"
#include "core/script/Interpreter.h"

namespace {

using namespace orvane;

constexpr int kBaud = 115200;
constexpr int kBitsPerByte = 10;  // start bit, 8 data bits, stop bit

std::int64_t NowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Result {
    long statements = 0;
    double seconds = 0;
    int boxes = 0;
    double PerSecond() const { return seconds > 0 ? statements / seconds : 0; }
};

// A run of `script` against the virtual controller. Real ticks: the loop sleeps until the next
// timer is due, as the window's message loop does; otherwise the run tick is fired as soon as
// it is pending. The clock runs from the first statement to the last (or to `limitS`).
Result Measure(const BenchSimulator& sim, const std::string& script, bool realTicks, double limitS) {
    host::MemorySettings settings;
    settings.WriteString(device::ComPortMap::OverrideKey(1), sim.Path());
    settings.WriteString("Sprawdzaj odpowiada co", "0");
    platform::SteadyClock clock;
    BenchPrompts prompts;
    platform::TimerQueue timers(&NowUs);
    device::SerialStack stack(settings, clock, prompts, timers);
    device::DeviceLink& link = stack.Link();
    link.OpenPortAtStartUp();
    commands::CommandTable commands;
    commands::CommandFile::ReadFile(std::string(ORVANE_DATA_DIR) + "/Komendy.ini", commands, nullptr);
    platform::TextEditorAccess editor(script);
    script::Interpreter interpreter(editor, link, commands, timers);

    Result result;
    std::int64_t first = 0, last = 0;
    interpreter.SetStatementObserver([&](std::int32_t, std::int32_t) {
        last = NowUs();
        if (result.statements++ == 0) first = last;
        if (limitS > 0 && last - first >= static_cast<std::int64_t>(limitS * 1e6)) interpreter.Stop();
    });
    const auto fire = [&](int id) { interpreter.OnTimer(id); };
    interpreter.Start();
    while (interpreter.RunExists()) {
        if (!realTicks && timers.IsRunning(script::Interpreter::kTimerRunTick)) {
            interpreter.RunTick();
            continue;
        }
        const auto due = timers.NextDueUs();
        if (!due) break;
        std::this_thread::sleep_for(std::chrono::microseconds(*due - NowUs()));
        timers.FireDue(fire);
    }
    result.seconds = (last - first) / 1e6;
    result.boxes = prompts.shown;
    return result;
}

// What the machine allows: back-to-back sleeps of 1 ms, each waking up late by the scheduler's
// latency. The run on real ticks cannot beat this.
Result BareSleeps(double limitS) {
    Result r;
    const std::int64_t start = NowUs();
    while (NowUs() - start < limitS * 1e6) {
        std::this_thread::sleep_for(std::chrono::microseconds(1000));
        ++r.statements;
    }
    r.seconds = (NowUs() - start) / 1e6;
    return r;
}

void Report(const char* what, const Result& r, double wireLimit = 0) {
    std::printf("%-44s %8ld statements in %7.3f s: %10.0f per second", what, r.statements, r.seconds,
                r.PerSecond());
    if (wireLimit > 0) std::printf(" (wire limit %.0f per second)", wireLimit);
    if (r.boxes > 0) std::printf("  [%d boxes!]", r.boxes);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    // A 1 ms tick is 1 ms: without this the kernel may add a twentieth to every sleep.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
    try {
        BenchSimulator sim;
        const std::string loop = "Var:i; while(i<100000){i=i+1;}";
        Report("bare 1 ms sleeps (no statements)", BareSleeps(seconds));
        Report("device-free loop, real 1 ms ticks", Measure(sim, loop, true, seconds));
        Report("device-free loop, ticks back to back", Measure(sim, loop, false, 0));

        std::string servos;
        for (int n = 0; n < 1000; ++n) servos += "ServoSet(1,0,0,0," + std::to_string(1000 + n) + ");\n";
        // Frame of 7 bytes, the echo, the confirmation and the acknowledgement.
        const double wireLimit = kBaud / double(kBitsPerByte) / (7 + 1 + 1 + 1);
        Report("1000 x ServoSet, real 1 ms ticks", Measure(sim, servos, true, 0), wireLimit);
        Report("1000 x ServoSet, ticks back to back", Measure(sim, servos, false, 0), wireLimit);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_run: %s\n", e.what());
        return 1;
    }
    return 0;
}
