#include "sim/BoardState.h"

#include <functional>
#include <string>

#include "core/host/Cp1250.h"

namespace orvane::sim {

namespace {

using Args = std::vector<std::uint32_t>;

std::uint32_t Arg(const Args& args, std::size_t i) { return i < args.size() ? args[i] : 0; }

std::uint8_t OutputBit(std::uint32_t output) {
    return output < 8 ? static_cast<std::uint8_t>(1u << output) : 0;
}

}  // namespace

std::uint32_t BoardState::ServoPosition(std::uint32_t servo) const {
    const auto it = servos_.find(servo);
    return it == servos_.end() ? kServoRest : it->second;
}

std::uint32_t BoardState::Execute(std::string_view asmName, const Args& args) {
    struct Routine {
        const char* name;
        std::function<std::uint32_t(BoardState&, const Args&)> run;
    };
    // The servo commands take the servo first and the position last, whatever lies between
    // (speed, acceleration, group).
    static const Routine kRoutines[] = {
        {"ServoS", [](BoardState& b, const Args& a) {
             if (!a.empty()) b.servos_[a.front()] = a.back();
             return 0u;
         }},
        {"ServoR", [](BoardState& b, const Args& a) { return b.ServoPosition(Arg(a, 0)); }},
        {"DOS", [](BoardState& b, const Args& a) {
             const std::uint8_t bit = OutputBit(Arg(a, 0));
             b.outputs_ = static_cast<std::uint8_t>(Arg(a, 1) ? (b.outputs_ | bit)
                                                              : (b.outputs_ & ~bit));
             return 0u;
         }},
        {"DOG", [](BoardState& b, const Args& a) {
             return (b.outputs_ & OutputBit(Arg(a, 0))) ? 1u : 0u;
         }},
        {"DOxS", [](BoardState& b, const Args& a) {
             b.outputs_ = static_cast<std::uint8_t>(Arg(a, 0));
             return 0u;
         }},
        {"DOxG", [](BoardState& b, const Args&) { return std::uint32_t{b.outputs_}; }},
        {"LEDS", [](BoardState& b, const Args& a) {
             b.leds_[Arg(a, 0)] = Arg(a, 1);
             return 0u;
         }},
        {"AIxR", [](BoardState&, const Args&) { return kAnalogValue; }},
        {"ADIAxR", [](BoardState&, const Args&) { return kAnalogMillivolts; }},
    };
    for (const auto& routine : kRoutines) {
        if (host::EqualsIgnoreCase(asmName, routine.name)) return routine.run(*this, args);
    }
    return 0;  // inputs at rest, nothing received, interrupts and LED flashing just accepted
}

}  // namespace orvane::sim
