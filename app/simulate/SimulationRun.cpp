// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulate/SimulationRun.h"

#include <chrono>
#include <utility>

#include "app/simulate/SimulationPace.h"
#include "simchip/BoardState.h"
#include "simchip/SimulatedChip.h"

namespace orvane::app::simulate {

namespace {
std::int64_t WallUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

SimulationRun::Ending EndingOf(simchip::ChipState state) {
    switch (state) {
        case simchip::ChipState::Ended: return SimulationRun::Ending::Ended;
        case simchip::ChipState::Faulted: return SimulationRun::Ending::Faulted;
        case simchip::ChipState::Empty: return SimulationRun::Ending::NotLoaded;
        case simchip::ChipState::Running: break;
    }
    return SimulationRun::Ending::Stopped;
}
}  // namespace

SimulationRun::SimulationRun(std::string hexPath, double factor, std::function<void(Progress)> progress,
                             std::function<void(End)> end)
    : hexPath_(std::move(hexPath)),
      progress_(std::move(progress)),
      end_(std::move(end)),
      factor_(factor),
      thread_([this] { Main(); }) {}

SimulationRun::~SimulationRun() {
    Stop();
    thread_.join();
}

void SimulationRun::SetFactor(double factor) {
    const std::lock_guard lock(mutex_);
    factor_ = factor;
    factorChanged_ = true;
    wake_.notify_all();  // a long sleep at the old pace ends now
}

void SimulationRun::Stop() {
    const std::lock_guard lock(mutex_);
    stop_ = true;
    wake_.notify_all();
}

bool SimulationRun::Sleep(std::int64_t us) {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::microseconds(us), [this] { return stop_ || factorChanged_; });
    return !stop_;
}

void SimulationRun::Main() {
    simchip::BoardState board;
    simchip::SimulatedChip chip(board, this);
    End end;
    if (!chip.Load(hexPath_, simchip::SimulatedChip::MapPathOf(hexPath_), end.message)) {
        end.ending = Ending::NotLoaded;
        end_(std::move(end));
        return;
    }
    SimulationPace pace;
    simchip::ChipState state = simchip::ChipState::Running;
    SimulationPace::Step step;
    {
        const std::lock_guard lock(mutex_);
        pace.SetFactor(factor_, 0, 0);
        step = pace.Start(0, WallUs());
    }
    while (Sleep(step.sleepUs)) {
        {
            const std::lock_guard lock(mutex_);
            if (factorChanged_) pace.SetFactor(factor_, chip.NowUs(), WallUs());
            factorChanged_ = false;
        }
        const std::int64_t before = WallUs();
        state = chip.Run(step.sliceUs);
        const std::int64_t after = WallUs();
        progress_({std::exchange(moves_, {}), chip.NowUs()});
        if (state != simchip::ChipState::Running) break;
        step = pace.Next(chip.NowUs(), after, after - before);
    }
    end.ending = EndingOf(state);
    if (end.ending == Ending::Faulted && chip.Fault()) {
        end.message = chip.Fault()->message;
        end.faultAddress = chip.Fault()->address;
    }
    end.variableLines = simchip::SimulatedChip::VariableLines(chip.Variables());
    end.endUs = chip.NowUs();
    end_(std::move(end));
}

}  // namespace orvane::app::simulate
