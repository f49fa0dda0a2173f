#pragma once
#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

namespace orvane::sim {

// What the controller's commands act on: servo positions, digital outputs, LEDs. A command is
// known by its firmware routine (the ASM name of Komendy.ini), so a renamed or renumbered
// command keeps its meaning; unknown routines are accepted and read as 0.
class BoardState {
public:
    static constexpr std::uint32_t kServoRest = 1500;    // µs, every servo at power-up
    static constexpr std::uint32_t kAnalogValue = 512;   // every analog input, mid-scale
    static constexpr std::uint32_t kAnalogMillivolts = kAnalogValue * 5000 / 1024;

    // Carries out the routine with the arguments' wire values; the result's wire value.
    std::uint32_t Execute(std::string_view asmName, const std::vector<std::uint32_t>& args);

    std::uint32_t ServoPosition(std::uint32_t servo) const;
    std::uint8_t Outputs() const { return outputs_; }

private:
    std::map<std::uint32_t, std::uint32_t> servos_;
    std::map<std::uint32_t, std::uint32_t> leds_;
    std::uint8_t outputs_ = 0;  // outputs 0..7, one bit each
};

}  // namespace orvane::sim
