// SPDX-License-Identifier: GPL-3.0-or-later
#include "simchip/ChipCore.h"

#include <simavr/sim_avr.h>
#include <simavr/sim_io.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace orvane::simchip {

namespace {

constexpr std::uint32_t kClockHz = 11059200;
constexpr std::uint16_t kChipCallRegister = 0x1B + 32;  // I/O 0x1B in data space (ChipFirmware.asm)
constexpr std::uint8_t kProgramReturned = 0xFF;
constexpr std::uint32_t kProgramStart = device::FlashImage::kProgramStart / 2;
constexpr std::uint32_t kBootLoaderStart = device::FlashImage::kProgramEnd / 2;  // Restart goes here
constexpr std::uint32_t kServoCount = 16;
constexpr int kTmp1 = 16, kTmp2 = 17;
constexpr std::uint16_t kSpl = 0x5D, kSph = 0x5E;

std::string Hex4(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

// Time passing without instructions must not sleep for real, as simavr's own sleep does.
void NoSleep(avr_t*, avr_cycle_count_t) {}

// simavr prints a note on standard output while it builds the ATmega8 (a port the chip lacks),
// where orvane-cli prints its results: standard output points at /dev/null meanwhile.
avr_t* MakeQuietly() {
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    const int null = ::open("/dev/null", O_WRONLY);
    if (saved >= 0 && null >= 0) ::dup2(null, STDOUT_FILENO);
    avr_t* avr = avr_make_mcu_by_name("atmega8");
    if (avr != nullptr && avr_init(avr) != 0) {
        std::free(avr);
        avr = nullptr;
    }
    std::fflush(stdout);
    if (saved >= 0 && null >= 0) ::dup2(saved, STDOUT_FILENO);
    if (saved >= 0) ::close(saved);
    if (null >= 0) ::close(null);
    return avr;
}

}  // namespace

ChipCore::ChipCore(BoardState& board, ChipObserver* observer, std::deque<std::uint8_t>& received)
    : board_(board), observer_(observer), received_(received) {}

ChipCore::~ChipCore() {
    if (avr_ == nullptr) return;
    avr_terminate(avr_);
    std::free(avr_);
}

std::int64_t ChipCore::MicrosOf(std::uint64_t cycle) {
    return static_cast<std::int64_t>(cycle / kClockHz * 1000000 + cycle % kClockHz * 1000000 / kClockHz);
}

std::uint64_t ChipCore::CycleOf(std::int64_t us) {
    const auto u = static_cast<std::uint64_t>(us < 0 ? 0 : us);
    return u / 1000000 * kClockHz + u % 1000000 * kClockHz / 1000000;
}

std::uint64_t ChipCore::Cycle() const { return avr_ == nullptr ? 0 : avr_->cycle; }

std::uint8_t ChipCore::Sram(std::uint32_t address) const {
    return avr_ != nullptr && address <= avr_->ramend ? avr_->data[address] : 0;
}

void ChipCore::OnLog(avr_t* avr, int level, const char* format, va_list) {
    if (avr == nullptr || level > LOG_ERROR || std::strstr(format, "Invalid Opcode") == nullptr) return;
    if (auto* core = static_cast<ChipCore*>(avr->custom.data)) core->invalidOpcode_ = true;
}

bool ChipCore::Start(const device::FlashImage& flash, std::uint32_t programEnd, ProgramMap map, std::string& error) {
    static std::once_flag quiet;
    std::call_once(quiet, [] { avr_global_logger_set(&ChipCore::OnLog); });
    avr_ = MakeQuietly();
    if (avr_ == nullptr) {
        error = "simavr nie zna układu ATmega8";
        return false;
    }
    avr_->frequency = kClockHz;
    avr_->log = LOG_ERROR;
    avr_->sleep = NoSleep;
    avr_->custom.data = this;
    avr_loadcode(avr_, const_cast<std::uint8_t*>(flash.Data()), device::FlashImage::kSize, 0);
    avr_register_io_write(avr_, kChipCallRegister, &ChipCore::OnChipCall, this);
    programEnd_ = programEnd;
    map_ = std::move(map);
    FindReturns(flash);
    return true;
}

ChipCore::Outcome ChipCore::RunUntil(std::uint64_t untilCycle) {
    while (!fault_ && !ended_ && avr_->cycle < untilCycle) {
        if (waitUntil_ > avr_->cycle) {
            Pass(std::min(waitUntil_, untilCycle));
            continue;
        }
        if (awaitingByte_) {
            FirmwareCall call = *awaitingByte_;
            if (!Receive(call)) {
                Pass(untilCycle);
                break;
            }
            awaitingByte_.reset();
            continue;
        }
        if (!Watch()) break;
        const std::uint32_t word = avr_->pc / 2;
        avr_->run(avr_);
        if (invalidOpcode_) Stop(FaultKind::InvalidOpcode, word, "nieznany rozkaz");
        else if (!fault_ && !WatchStack()) Stop(FaultKind::StackIntoVariables, word, "stos wszedł w obszar zmiennych");
        if (avr_->state == cpu_Done || avr_->state == cpu_Crashed) ended_ = true;  // halted for good
    }
    if (fault_) return Outcome::Faulted;
    return ended_ ? Outcome::Ended : Outcome::Running;
}

void ChipCore::Pass(std::uint64_t untilCycle) {
    if (untilCycle <= avr_->cycle) return;
    avr_->cycle = untilCycle;
    avr_cycle_timer_process(avr_);
}

void ChipCore::FindReturns(const device::FlashImage& flash) {
    // The words after the firmware's rcalls into the program's entry table: a program that
    // returns goes back there, and nowhere else in the System area.
    for (std::uint32_t word = 0; word < kProgramStart; ++word) {
        const std::uint32_t op = flash[static_cast<int>(2 * word)] + 256u * flash[static_cast<int>(2 * word + 1)];
        if ((op & 0xF000) != 0xD000) continue;
        const std::int32_t offset = static_cast<std::int32_t>(op & 0x0FFF) - ((op & 0x0800) ? 0x1000 : 0);
        const std::int64_t target = static_cast<std::int64_t>(word) + 1 + offset;
        if (target >= kProgramStart && target < kProgramStart + 3) returns_.insert(word + 1);
    }
}

bool ChipCore::Watch() {
    const std::uint32_t word = avr_->pc / 2;
    if (word == kBootLoaderStart) {
        // Restart: the boot loader starts the system again, which calls the program anew.
        avr_->pc = 0;
        inFirmware_ = true;
        return true;
    }
    if (word < kProgramStart) {
        if (!inFirmware_ && FirmwareRoutine::AtEntry(word) == nullptr && returns_.count(word) == 0) {
            Stop(FaultKind::JumpIntoSystem, lastProgramWord_, "skok do obszaru System (" + Hex4(word) + ")");
            return false;
        }
        inFirmware_ = true;
        return true;
    }
    inFirmware_ = false;
    if (word >= programEnd_) {
        Stop(FaultKind::RanOffEnd, word, "program wyszedł poza swój koniec");
        return false;
    }
    lastProgramWord_ = word;
    return true;
}

bool ChipCore::WatchStack() {
    const std::uint32_t sp = avr_->data[kSpl] + 256u * avr_->data[kSph];
    return sp + 1 >= map_.VariablesEnd();  // the last push wrote at sp + 1
}

void ChipCore::Stop(FaultKind kind, std::uint32_t address, const std::string& what) {
    if (fault_) return;
    ChipFault fault;
    fault.kind = kind;
    fault.address = address;
    fault.label = map_.LabelAt(address >= kProgramStart && address < programEnd_ ? address : lastProgramWord_);
    fault.message = "Błąd programu: " + what + " pod adresem " + Hex4(address);
    if (!fault.label.empty()) fault.message += " (po etykiecie " + fault.label + ")";
    fault_ = std::move(fault);
}

std::uint32_t ChipCore::CallerWord() const {
    // The entry's body pushed r24 over the return address, which lies high byte first.
    const std::uint32_t sp = avr_->data[kSpl] + 256u * avr_->data[kSph];
    const std::uint32_t ret = Sram(sp + 2) * 256u + Sram(sp + 3);
    return ret == 0 ? 0 : ret - 1;
}

void ChipCore::OnChipCall(avr_t*, std::uint16_t, std::uint8_t value, void* param) {
    static_cast<ChipCore*>(param)->Serve(value);
}

void ChipCore::Serve(std::uint8_t entryLow) {
    if (entryLow == kProgramReturned) {
        ended_ = true;
        return;
    }
    const FirmwareRoutine* routine = FirmwareRoutine::AtEntry(0x0300u + entryLow);
    if (routine == nullptr) return;  // only our firmware writes here, with its own entries
    std::uint8_t* r = avr_->data;
    FirmwareCall call;
    call.timeUs = NowUs();
    call.routine = routine->name;
    call.entry = routine->entry;
    call.arguments = routine->Arguments(r);
    std::uint32_t result = 0;
    switch (routine->service) {
        case Service::Board:
            if (routine->takesServo && (call.arguments[0] < 1 || call.arguments[0] > kServoCount)) {
                Stop(FaultKind::ServoOutOfRange, CallerWord(),
                     "numer serwa " + std::to_string(call.arguments[0]) + " poza zakresem 1..16 (" + call.routine + ")");
                return;
            }
            result = board_.Execute(call.routine, call.arguments, call.timeUs);
            if (call.routine == "ServoS" && observer_ != nullptr)
                observer_->ServoMoved(board_.Moves().at(call.arguments[0]));
            break;
        case Service::Wait:
            waitUntil_ = avr_->cycle + CycleOf(static_cast<std::int64_t>(call.arguments[0]) * 1000);
            break;
        case Service::Multiply: result = (call.arguments[0] * call.arguments[1]) & 0xFFFF; break;
        case Service::Divide: result = call.arguments[1] == 0 ? 0xFFFF : call.arguments[0] / call.arguments[1]; break;
        case Service::Send:
            if (observer_ != nullptr) {
                if (routine->argumentSizes[0] == 2) observer_->ByteSent(call.timeUs, static_cast<std::uint8_t>(call.arguments[0] >> 8));
                observer_->ByteSent(call.timeUs, static_cast<std::uint8_t>(call.arguments[0]));
            }
            break;
        case Service::Receive:
            if (!Receive(call)) awaitingByte_ = call;
            return;
        case Service::ReceivedCount: result = static_cast<std::uint32_t>(std::min<std::size_t>(received_.size(), 255)); break;
        case Service::DropReceived: received_.clear(); break;
    }
    Finish(std::move(call), *routine, result);
}

bool ChipCore::Receive(FirmwareCall& call) {
    if (received_.empty()) return false;
    const std::uint8_t byte = received_.front();
    received_.pop_front();
    const FirmwareRoutine& routine = *FirmwareRoutine::AtEntry(call.entry);
    Finish(std::move(call), routine, byte);
    return true;
}

void ChipCore::Finish(FirmwareCall call, const FirmwareRoutine& routine, std::uint32_t result) {
    if (routine.resultSize > 0) {
        avr_->data[kTmp1] = static_cast<std::uint8_t>(result);
        avr_->data[kTmp2] = routine.resultSize > 1 ? static_cast<std::uint8_t>(result >> 8) : 0;
        call.result = static_cast<std::uint16_t>(result);
    }
    if (observer_ != nullptr) observer_->FirmwareCalled(call);
}

}  // namespace orvane::simchip
