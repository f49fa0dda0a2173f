// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/ProgramRunner.h"

#include <algorithm>

namespace orvane::sim {

namespace {

bool Empty(const device::FlashImage& flash) {
    using device::FlashImage;
    return std::all_of(flash.Data() + FlashImage::kProgramStart, flash.Data() + FlashImage::kProgramEnd,
                       [](std::uint8_t b) { return b == FlashImage::kErased; });
}

}  // namespace

bool ProgramRunner::Start(const device::FlashImage& flash, std::int64_t nowMs) {
    running_ = false;
    if (Empty(flash)) return false;
    std::string error;
    if (!chip_.LoadImage(flash, error)) {
        notes_.push_back("program nie ruszył: " + error);
        return false;
    }
    running_ = true;
    startMs_ = nowMs;
    notes_.push_back("program: start");
    return true;
}

void ProgramRunner::Advance(std::int64_t nowMs) {
    if (!running_) return;
    const std::int64_t behind = (nowMs - startMs_) * 1000 - chip_.NowUs();
    if (behind <= 0) return;
    switch (chip_.Run(std::min(behind, kMaxStepUs))) {
        case simchip::ChipState::Running: return;
        case simchip::ChipState::Faulted: notes_.push_back("program: " + chip_.Fault()->message); break;
        default: notes_.push_back("program: koniec"); break;
    }
    running_ = false;
}

std::vector<std::uint8_t> ProgramRunner::TakeSent() {
    std::vector<std::uint8_t> sent;
    sent.swap(sent_);
    return sent;
}

std::vector<std::string> ProgramRunner::TakeNotes() {
    std::vector<std::string> notes;
    notes.swap(notes_);
    return notes;
}

void ProgramRunner::FirmwareCalled(const simchip::FirmwareCall& call) { notes_.push_back("program " + call.Text()); }

void ProgramRunner::ByteSent(std::int64_t, std::uint8_t byte) { sent_.push_back(byte); }

}  // namespace orvane::sim
