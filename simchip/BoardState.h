// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

namespace orvane::simchip {

// A servo set in motion: from where it stood towards its target, at constant speed. A speed of
// 0 is a jump: `arrivalUs` equals `startUs`. Times are microseconds of the caller's clock (the
// simulated chip's time, or the virtual controller's time since it started).
struct ServoMove {
    std::uint32_t servo = 0;
    std::uint32_t from = 0;    // µs of pulse width where the servo stood at `startUs`
    std::uint32_t to = 0;      // µs of pulse width it is sent to
    std::uint32_t speed = 0;   // µs of pulse width per servo frame (kFrameUs); 0: at once
    std::int64_t startUs = 0;
    std::int64_t arrivalUs = 0;

    // Where the servo stands at `atUs`: `from` before the start, `to` from the arrival on,
    // evenly between them in between.
    std::uint32_t PositionAt(std::int64_t atUs) const;
};

// What the controller's commands act on: servo positions, digital outputs, LEDs. A command is
// known by its firmware routine (the ASM name of Komendy.ini), so a renamed or renumbered
// command keeps its meaning; unknown routines are accepted and read as 0. The virtual
// controller's Komendy mode and the simulated chip share this one model, so a run from the PC
// and a compiled run move the same servos the same way.
class BoardState {
public:
    static constexpr std::uint32_t kServoRest = 1500;    // µs, every servo at power-up
    static constexpr std::uint32_t kAnalogValue = 512;   // every analog input, mid-scale
    static constexpr std::uint32_t kAnalogMillivolts = kAnalogValue * 5000 / 1024;
    static constexpr std::int64_t kFrameUs = 20000;      // one servo pulse period

    // Called for every servo set, with the move it started.
    using MoveListener = std::function<void(const ServoMove&)>;
    void SetMoveListener(MoveListener listener) { listener_ = std::move(listener); }

    // Carries out the routine with the arguments' wire values at time `nowUs`; the result's
    // wire value. ServoS takes the servo first, the speed second and the position last
    // (whatever lies between: acceleration, group, is taken and not modelled).
    std::uint32_t Execute(std::string_view asmName, const std::vector<std::uint32_t>& args,
                          std::int64_t nowUs = 0);

    // Where a servo stands at `nowUs`; kServoRest for one never set. The default time is the
    // far future: where every servo comes to rest.
    std::uint32_t ServoPosition(std::uint32_t servo, std::int64_t nowUs = INT64_MAX) const;
    // The last move of each servo ever set, by servo number.
    const std::map<std::uint32_t, ServoMove>& Moves() const { return servos_; }
    std::uint8_t Outputs() const { return outputs_; }
    std::uint32_t Led(std::uint32_t led) const;

private:
    std::uint32_t SetServo(const std::vector<std::uint32_t>& args, std::int64_t nowUs);

    std::map<std::uint32_t, ServoMove> servos_;
    std::map<std::uint32_t, std::uint32_t> leds_;
    std::uint8_t outputs_ = 0;  // outputs 0..7, one bit each
    MoveListener listener_;
};

}  // namespace orvane::simchip
