// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/commands/CommandTable.h"
#include "core/device/ControllerBytes.h"
#include "core/device/FlashImage.h"
#include "simchip/BoardState.h"
#include "sim/FaultPlan.h"
#include "sim/FrameReader.h"
#include "sim/ProgramRunner.h"
#include "sim/ReplyQueue.h"

namespace orvane::sim {

// The controller's operating modes, each named by the byte it reports itself with.
enum class Mode : std::uint8_t {
    Program = device::controller::kInProgram,
    BootLoader = device::controller::kInBootLoader,
    Komendy = device::controller::kInKomendy,
    System = device::controller::kInSystem,
};

struct ControllerSetup {
    commands::CommandTable commands;
    std::string version = "31";  // the two characters of the version reply, in order (shown 1.3)
    std::uint8_t p1 = 0xFF;      // 0x00: run the user program at power-up
    std::uint8_t p2 = 0x00;      // 0xFF: start in Komendy mode
    int baud = 115200;
    FaultPlan faults;
    device::FlashImage flash;
};

// The controller as the PC meets it on the wire: bytes in, bytes out, time passed in, no I/O.
// A request that takes several bytes (command frame, page write, parameters, speed code) is
// dropped when more than a second of silence interrupts it, so a half-sent request can never
// swallow the requests after it.
class VirtualController {
public:
    static constexpr std::int64_t kAbandonMs = 1000;
    static constexpr int kMaxResultBytes = 8;  // a corrupt result size must not flood the line

    explicit VirtualController(ControllerSetup setup);
    VirtualController(const VirtualController&) = delete;  // the reply queue holds our faults
    VirtualController& operator=(const VirtualController&) = delete;

    // One byte from the line. `lineBaud` is the speed the PC's side is set to: at any other
    // speed the byte is noise to the controller, ignored without effect (false).
    bool Receive(std::uint8_t byte, int lineBaud, std::int64_t nowMs);
    // Time passes: the user's program runs on to `nowMs` in Program mode.
    void Advance(std::int64_t nowMs);
    // A program runs and wants time to pass even without bytes on the line.
    bool ProgramRunning() const { return mode_ == Mode::Program && program_.Running(); }
    // Replies due at `nowMs`, in order, with the output faults applied.
    std::vector<OutByte> TakeOutput(std::int64_t nowMs) { return replies_.TakeDue(nowMs); }
    std::optional<std::int64_t> NextOutputMs() const { return replies_.NextDueMs(); }
    // Events worth a line of the traffic log (UTF-8), oldest first.
    std::vector<std::string> TakeNotes();
    // The hang-up fault's byte count is reached: the line is to be closed.
    bool HangUpDue() const;

    Mode CurrentMode() const { return mode_; }
    int Baud() const { return baud_; }
    std::uint8_t P1() const { return p1_; }
    std::uint8_t P2() const { return p2_; }
    const device::FlashImage& Flash() const { return flash_; }
    const simchip::BoardState& Board() const { return board_; }

    // The rate a speed code selects: 11059200 / (16 * (code + 1)).
    static int RateOfSpeedCode(std::uint8_t code);
    static std::string ModeName(Mode mode);

private:
    enum class Awaiting { Nothing, Parameters, SpeedCode, Page, Frame, Confirmation };

    void Dispatch(std::uint8_t byte);
    void OnSystem(std::uint8_t byte);
    void OnKomendy(std::uint8_t byte);
    void OnProgram(std::uint8_t byte);
    void OnBootLoader(std::uint8_t byte);
    void Continue(std::uint8_t byte);  // a byte of a multi-byte request
    void OnConfirmation(std::uint8_t byte);
    void EndFrame();
    void WritePage();
    void Erase(int from, int to);
    void Stream(int from, int to);
    void Enter(Mode mode, bool answer);
    void Restart();
    void Await(Awaiting what, std::size_t bytes);
    void Reply(std::uint8_t byte);
    void Note(std::string text) { notes_.push_back(std::move(text)); }

    commands::CommandTable commands_;
    std::string version_;
    std::uint8_t p1_;
    std::uint8_t p2_;
    int baud_;
    FaultPlan faults_;
    device::FlashImage flash_;
    simchip::BoardState board_;
    ProgramRunner program_{board_};
    bool programWritten_ = false;  // the Program area held a program when Program mode began
    ReplyQueue replies_{faults_};
    FrameReader frame_;
    Mode mode_ = Mode::System;
    Awaiting awaiting_ = Awaiting::Nothing;
    std::vector<std::uint8_t> request_;  // bytes of a multi-byte request so far
    std::size_t requestSize_ = 0;
    std::int64_t nowMs_ = 0;
    std::int64_t quietSinceMs_ = 0;  // last byte heard or last reply due, whichever is later
    int heard_ = 0;
    int pageWrites_ = 0;
    std::vector<std::string> notes_;
};

}  // namespace orvane::sim
