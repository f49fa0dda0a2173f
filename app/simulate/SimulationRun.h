// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "simchip/ChipObserver.h"

namespace orvane::app::simulate {

// One simulation of a compiled program, on a thread of its own: the chip is loaded from the
// compile's HEX file and the map beside it and runs in slices at the chosen pace until the
// program ends, faults or is stopped. After every slice the servo moves it made and the time it
// reached go to `progress`; at the end `end` hears how it ended and the variables' final values.
// Both are called on the simulation's thread: the window hands them on to its own.
class SimulationRun : private simchip::ChipObserver {
public:
    enum class Ending { Ended, Stopped, Faulted, NotLoaded };
    struct Progress {
        std::vector<simchip::ServoMove> moves;
        std::int64_t nowUs = 0;
    };
    struct End {
        Ending ending = Ending::Ended;
        std::string message;                     // the fault or why the load failed (UTF-8)
        std::optional<std::uint32_t> faultAddress;  // word address of a fault's instruction
        std::vector<std::string> variableLines;  // "name = 7.00", CP1250, as a run lists them
        std::int64_t endUs = 0;
    };

    // Starts at once; `hexPath` as the file system spells it (UTF-8). `factor`: simulated time against real time, 0 as fast as it goes.
    SimulationRun(std::string hexPath, double factor, std::function<void(Progress)> progress,
                  std::function<void(End)> end);
    // Stops the run and waits for its thread: a slice takes a few tens of milliseconds at most.
    ~SimulationRun() override;
    SimulationRun(const SimulationRun&) = delete;
    SimulationRun& operator=(const SimulationRun&) = delete;

    void SetFactor(double factor);
    // Ends the run after the slice in hand; `end` still follows, with the values of that moment.
    void Stop();

private:
    void Main();
    // False when Stop came meanwhile.
    bool Sleep(std::int64_t us);
    void FirmwareCalled(const simchip::FirmwareCall&) override {}
    void ServoMoved(const simchip::ServoMove& move) override { moves_.push_back(move); }

    const std::string hexPath_;
    const std::function<void(Progress)> progress_;
    const std::function<void(End)> end_;
    std::vector<simchip::ServoMove> moves_;  // of the slice in hand; the thread's own
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    double factor_;
    bool factorChanged_ = false;
    std::thread thread_;  // last: it starts once everything above is ready
};

}  // namespace orvane::app::simulate
