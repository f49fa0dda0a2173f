// SPDX-License-Identifier: GPL-3.0-or-later
#include "simchip/BoardState.h"

#include <string>

#include "core/host/Cp1250.h"

namespace orvane::simchip {

namespace {

using Args = std::vector<std::uint32_t>;

std::uint32_t Arg(const Args& args, std::size_t i) { return i < args.size() ? args[i] : 0; }

std::uint8_t OutputBit(std::uint32_t output) {
    return output < 8 ? static_cast<std::uint8_t>(1u << output) : 0;
}

}  // namespace

std::uint32_t ServoMove::PositionAt(std::int64_t atUs) const {
    if (atUs >= arrivalUs) return to;
    if (atUs <= startUs) return from;
    const std::int64_t span = static_cast<std::int64_t>(to) - static_cast<std::int64_t>(from);
    return static_cast<std::uint32_t>(from + span * (atUs - startUs) / (arrivalUs - startUs));
}

std::uint32_t BoardState::ServoPosition(std::uint32_t servo, std::int64_t nowUs) const {
    const auto it = servos_.find(servo);
    return it == servos_.end() ? kServoRest : it->second.PositionAt(nowUs);
}

std::uint32_t BoardState::Led(std::uint32_t led) const {
    const auto it = leds_.find(led);
    return it == leds_.end() ? 0 : it->second;
}

std::uint32_t BoardState::SetServo(const Args& args, std::int64_t nowUs) {
    if (args.empty()) return 0;
    ServoMove move;
    move.servo = args.front();
    move.from = ServoPosition(move.servo, nowUs);
    move.to = args.back();
    move.speed = args.size() > 2 ? args[1] : 0;  // a servo and a position alone: at once
    move.startUs = nowUs;
    const std::uint32_t distance = move.to > move.from ? move.to - move.from : move.from - move.to;
    // The servo takes `speed` µs of pulse width a frame; the last, shorter step takes a frame too.
    const std::int64_t frames = move.speed == 0 ? 0 : (distance + move.speed - 1) / move.speed;
    move.arrivalUs = nowUs + frames * kFrameUs;
    servos_[move.servo] = move;
    if (listener_) listener_(move);
    return 0;
}

std::uint32_t BoardState::Execute(std::string_view asmName, const Args& args, std::int64_t nowUs) {
    struct Routine {
        const char* name;
        std::function<std::uint32_t(BoardState&, const Args&, std::int64_t)> run;
    };
    static const Routine kRoutines[] = {
        {"ServoS", [](BoardState& b, const Args& a, std::int64_t now) { return b.SetServo(a, now); }},
        {"ServoR", [](BoardState& b, const Args& a, std::int64_t now) { return b.ServoPosition(Arg(a, 0), now); }},
        {"DOS", [](BoardState& b, const Args& a, std::int64_t) {
             const std::uint8_t bit = OutputBit(Arg(a, 0));
             b.outputs_ = static_cast<std::uint8_t>(Arg(a, 1) ? (b.outputs_ | bit)
                                                              : (b.outputs_ & ~bit));
             return 0u;
         }},
        {"DOG", [](BoardState& b, const Args& a, std::int64_t) {
             return (b.outputs_ & OutputBit(Arg(a, 0))) ? 1u : 0u;
         }},
        {"DOxS", [](BoardState& b, const Args& a, std::int64_t) {
             b.outputs_ = static_cast<std::uint8_t>(Arg(a, 0));
             return 0u;
         }},
        {"DOxG", [](BoardState& b, const Args&, std::int64_t) { return std::uint32_t{b.outputs_}; }},
        {"LEDS", [](BoardState& b, const Args& a, std::int64_t) {
             b.leds_[Arg(a, 0)] = Arg(a, 1);
             return 0u;
         }},
        {"AIxR", [](BoardState&, const Args&, std::int64_t) { return kAnalogValue; }},
        {"ADIAxR", [](BoardState&, const Args&, std::int64_t) { return kAnalogMillivolts; }},
    };
    for (const auto& routine : kRoutines) {
        if (host::EqualsIgnoreCase(asmName, routine.name)) return routine.run(*this, args, nowUs);
    }
    return 0;  // inputs at rest, nothing received, interrupts and LED flashing just accepted
}

}  // namespace orvane::simchip
