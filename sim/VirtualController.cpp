// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/VirtualController.h"

#include <algorithm>

#include "core/device/ControllerBytes.h"
#include "core/device/DeviceMode.h"
#include "core/device/HexFile.h"
#include "core/host/Cp1250.h"

namespace orvane::sim {

namespace {

using namespace device::controller;

using device::FlashImage;

std::string Hex(std::uint8_t byte) { return device::HexFile::ByteToHex(byte); }

std::string Utf8(const std::string& cp1250) { return host::Cp1250ToUtf8(cp1250); }

Mode StartMode(std::uint8_t p1, std::uint8_t p2) {
    if (p1 == 0x00) return Mode::Program;
    if (p2 == 0xFF) return Mode::Komendy;
    return Mode::System;
}

}  // namespace

VirtualController::VirtualController(ControllerSetup setup)
    : commands_(std::move(setup.commands)),
      version_(std::move(setup.version)),
      p1_(setup.p1),
      p2_(setup.p2),
      baud_(setup.baud),
      faults_(setup.faults),
      flash_(setup.flash),
      mode_(StartMode(setup.p1, setup.p2)) {
    version_.resize(2, '0');
    if (mode_ == Mode::Program) programWritten_ = program_.Start(flash_, 0);
}

void VirtualController::Advance(std::int64_t nowMs) {
    if (!ProgramRunning()) return;
    nowMs_ = nowMs;
    program_.Advance(nowMs);
    for (const std::uint8_t byte : program_.TakeSent()) Reply(byte);
    for (auto& note : program_.TakeNotes()) Note(std::move(note));
}

std::string VirtualController::ModeName(Mode mode) {
    return std::string(device::ModeName(device::ModeOfReply(static_cast<std::uint8_t>(mode))));
}

int VirtualController::RateOfSpeedCode(std::uint8_t code) { return 11059200 / (16 * (code + 1)); }

std::vector<std::string> VirtualController::TakeNotes() {
    std::vector<std::string> notes;
    notes.swap(notes_);
    return notes;
}

bool VirtualController::HangUpDue() const {
    return faults_.hangupAfter >= 0 && heard_ >= faults_.hangupAfter;
}

bool VirtualController::Receive(std::uint8_t byte, int lineBaud, std::int64_t nowMs) {
    if (lineBaud != baud_) return false;
    nowMs_ = nowMs;
    ++heard_;
    if (awaiting_ != Awaiting::Nothing && nowMs - quietSinceMs_ > kAbandonMs) {
        Note("przerwane żądanie porzucone po ciszy (" + std::to_string(request_.size()) +
             " bajtów)");
        Await(Awaiting::Nothing, 0);
    }
    quietSinceMs_ = std::max(quietSinceMs_, nowMs);
    if (awaiting_ == Awaiting::Nothing) Dispatch(byte);
    else Continue(byte);
    if (heard_ == faults_.resetAfter) Restart();
    return true;
}

// A brown-out or the watchdog: whatever was under way is forgotten, the resident firmware starts
// again and goes on into the mode its parameters choose at power-up, without a word on the line.
void VirtualController::Restart() {
    Note("restart sterownika");
    Await(Awaiting::Nothing, 0);
    program_.Stop();
    mode_ = Mode::System;
    const Mode start = StartMode(p1_, p2_);
    if (start != Mode::System) Enter(start, false);
}

void VirtualController::Dispatch(std::uint8_t byte) {
    switch (mode_) {
        case Mode::System: return OnSystem(byte);
        case Mode::Komendy: return OnKomendy(byte);
        case Mode::Program: return OnProgram(byte);
        case Mode::BootLoader: return OnBootLoader(byte);
    }
}

void VirtualController::Reply(std::uint8_t byte) {
    const bool silenced = faults_.silentAfter >= 0 && heard_ > faults_.silentAfter;
    replies_.Push(byte, nowMs_, silenced);
    quietSinceMs_ = std::max(quietSinceMs_, nowMs_ + faults_.delayMs);
}

void VirtualController::Enter(Mode mode, bool answer) {
    if (mode != mode_) Note("tryb " + ModeName(mode));
    if (mode == Mode::Program && mode_ != Mode::Program) {
        programWritten_ = program_.Start(flash_, nowMs_);
        for (auto& note : program_.TakeNotes()) Note(std::move(note));
    } else if (mode != Mode::Program) {
        program_.Stop();
    }
    mode_ = mode;
    frame_.Reset();
    if (answer) Reply(static_cast<std::uint8_t>(mode));
}

void VirtualController::Await(Awaiting what, std::size_t bytes) {
    awaiting_ = what;
    request_.clear();
    requestSize_ = bytes;
    if (what == Awaiting::Nothing) frame_.Reset();
}

void VirtualController::OnSystem(std::uint8_t byte) {
    switch (byte) {
        case kQuery: return Reply(static_cast<std::uint8_t>(mode_));
        case kToSystem: return Enter(Mode::System, true);
        case kToKomendy: return Enter(Mode::Komendy, true);
        case kToProgram: return Enter(Mode::Program, false);
        case kToBootLoader: return Enter(Mode::BootLoader, true);
        case kReadParameters:
            Reply(p1_);
            return Reply(p2_);
        case kWriteParameters: return Await(Awaiting::Parameters, 2);
        case kVersion:
            Reply(static_cast<std::uint8_t>(version_[0]));
            return Reply(static_cast<std::uint8_t>(version_[1]));
        default: Note("nieznane żądanie " + Hex(byte) + " w trybie System");
    }
}

void VirtualController::OnProgram(std::uint8_t byte) {
    if (byte == kQuery) return Reply(static_cast<std::uint8_t>(mode_));
    if (byte == kToSystem) return Enter(Mode::System, true);
    if (program_.Running()) return program_.Receive(byte);
    // With nothing written the area holds no program, and a stand-in echoes every free byte;
    // a program that has ended hears nothing more.
    if (!programWritten_) Reply(byte);
}

void VirtualController::OnBootLoader(std::uint8_t byte) {
    switch (byte) {
        case kQuery: return Reply(static_cast<std::uint8_t>(mode_));
        case kToSystem: return Enter(Mode::System, true);
        case kToBootLoader: return Enter(Mode::BootLoader, true);
        case kEraseSystem: return Erase(FlashImage::kSystemStart, FlashImage::kSystemEnd);
        case kEraseProgram: return Erase(FlashImage::kProgramStart, FlashImage::kProgramEnd);
        case kWritePage: return Await(Awaiting::Page, 2 + FlashImage::kPageSize);
        case kReadSystem: return Stream(FlashImage::kSystemStart, FlashImage::kSystemEnd);
        case kReadProgram: return Stream(FlashImage::kProgramStart, FlashImage::kProgramEnd);
        case kSetSpeed: return Await(Awaiting::SpeedCode, 1);
        default: Note("nieznane żądanie " + Hex(byte) + " w trybie BootLoader");
    }
}

void VirtualController::OnKomendy(std::uint8_t byte) {
    // Where a frame would begin, the mode bytes keep their meaning.
    if (byte == kQuery) return Reply(static_cast<std::uint8_t>(mode_));
    if (byte == kToSystem) return Enter(Mode::System, true);
    if (!frame_.Start(commands_, byte)) {
        Note("nieznany identyfikator komendy " + Hex(byte));
        return;
    }
    Await(Awaiting::Frame, 0);
    if (frame_.Complete()) EndFrame();
}

void VirtualController::Continue(std::uint8_t byte) {
    if (awaiting_ == Awaiting::Frame) {
        if (frame_.Add(byte)) EndFrame();
        return;
    }
    if (awaiting_ == Awaiting::Confirmation) return OnConfirmation(byte);
    request_.push_back(byte);
    if (request_.size() < requestSize_) return;
    const Awaiting done = awaiting_;
    awaiting_ = Awaiting::Nothing;
    if (done == Awaiting::Parameters) {
        p1_ = request_[0];
        p2_ = request_[1];
        Note("parametry " + Hex(p1_) + " " + Hex(p2_));
    } else if (done == Awaiting::SpeedCode) {
        baud_ = RateOfSpeedCode(request_[0]);
        Note("prędkość " + std::to_string(baud_));
    } else if (done == Awaiting::Page) {
        WritePage();
    }
}

void VirtualController::EndFrame() {
    const std::uint8_t sum = frame_.Checksum();
    Reply(faults_.corruptEcho ? static_cast<std::uint8_t>(sum ^ 0xFF) : sum);
    awaiting_ = Awaiting::Confirmation;
}

void VirtualController::OnConfirmation(std::uint8_t byte) {
    if (byte != kConfirm) {
        // The PC gave the command up (a wrong echo); this byte begins something new.
        Note("komenda " + Utf8(frame_.Command().name) + " bez potwierdzenia");
        Await(Awaiting::Nothing, 0);
        return OnKomendy(byte);
    }
    const commands::CommandDef& def = frame_.Command();
    const std::vector<std::uint32_t> args = frame_.ArgumentValues();
    Await(Awaiting::Nothing, 0);
    if (faults_.badAck) return Reply(kFailed);
    Reply(kDone);
    // Over the link a read answers where the servo was last sent, as the PC's tools expect the
    // moment they read back; travel over time is the simulated chip's to show.
    const bool read = host::EqualsIgnoreCase(def.asmName, "ServoR");
    const std::uint32_t result = read ? board_.ServoPosition(args.empty() ? 0 : args.front())
                                      : board_.Execute(def.asmName, args, nowMs_ * 1000);
    const int size = std::clamp(def.resultSize, 0, kMaxResultBytes);
    for (int i = size - 1; i >= 0; --i)
        Reply(i < 4 ? static_cast<std::uint8_t>(result >> (8 * i)) : 0);
}

void VirtualController::Erase(int from, int to) {
    if (faults_.eraseFails) return Reply(kFailed);
    std::fill(flash_.Data() + from, flash_.Data() + to, FlashImage::kErased);
    Reply(kDone);
}

void VirtualController::WritePage() {
    const int address = request_[0] * 256 + request_[1];
    ++pageWrites_;
    // The boot loader writes whole pages and never over itself (0x1F00 and above).
    const bool valid = address % FlashImage::kPageSize == 0 &&
                       address + FlashImage::kPageSize <= FlashImage::kProgramEnd;
    if (!valid || pageWrites_ == faults_.writeFailsNth) {
        if (!valid) Note("zapis strony pod zły adres " + Hex(request_[0]) + Hex(request_[1]));
        return Reply(kFailed);
    }
    std::copy(request_.begin() + 2, request_.end(), flash_.Data() + address);
    Reply(kDone);
}

void VirtualController::Stream(int from, int to) {
    for (int a = from; a < to; ++a) Reply(flash_[a]);
}

}  // namespace orvane::sim
