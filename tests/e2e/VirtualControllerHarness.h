#pragma once
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "sim/VirtualController.h"

namespace orvane::test {

// A command definition with the given identifier, routine, argument sizes and result size.
inline commands::CommandDef Command(const char* name, const char* asmName, std::uint8_t id,
                                    std::initializer_list<int> argSizes, int resultSize) {
    commands::CommandDef def;
    def.name = name;
    def.asmName = asmName;
    def.identifier = id;
    def.resultSize = resultSize;
    for (const int size : argSizes) def.arguments[static_cast<std::size_t>(def.argumentCount++)].size = size;
    return def;
}

// The commands the tests talk to: the servo pair, the digital outputs, an analog input.
inline commands::CommandTable TestCommands() {
    commands::CommandTable table;
    table.AddNewest(Command("ServoSet", "ServoS", 'S', {1, 1, 1, 1, 2}, 0));
    table.AddNewest(Command("ServoRead", "ServoR", 'R', {1}, 2));
    table.AddNewest(Command("DigitalSet", "DOS", 'D', {1, 1}, 0));
    table.AddNewest(Command("DigitalGet", "DOG", 'd', {1}, 1));
    table.AddNewest(Command("DigitalGetAll", "DOxG", 'x', {}, 1));
    table.AddNewest(Command("AnalogRead", "AIxR", 'A', {1}, 2));
    table.AddNewest(Command("Wide", "Unknown", 0x80, {1, 1}, 3));
    table.AddNewest(Command("Odd", "Unknown", 0x21, {1, 4, 0}, 0));
    return table;
}

// Drives a controller byte by byte on its own clock; the replies that reach the line.
class Bench {
public:
    explicit Bench(sim::ControllerSetup setup = Setup())
        : vc(std::make_unique<sim::VirtualController>(std::move(setup))) {}

    static sim::ControllerSetup Setup() {
        sim::ControllerSetup setup;
        setup.commands = TestCommands();
        return setup;
    }

    // Sends the bytes at the controller's speed, 1 ms apart; the bytes sent back (by now).
    std::vector<std::uint8_t> Send(std::initializer_list<std::uint8_t> bytes) {
        return SendVector(std::vector<std::uint8_t>(bytes));
    }
    std::vector<std::uint8_t> SendVector(const std::vector<std::uint8_t>& bytes, int baud = 0) {
        for (const std::uint8_t b : bytes) {
            vc->Receive(b, baud ? baud : vc->Baud(), nowMs);
            ++nowMs;
        }
        return Take();
    }
    std::vector<std::uint8_t> Take() {
        std::vector<std::uint8_t> out;
        for (const auto& o : vc->TakeOutput(nowMs)) {
            if (o.fate != sim::Fate::Dropped) out.push_back(o.byte);
        }
        return out;
    }
    void Wait(std::int64_t ms) { nowMs += ms; }

    std::unique_ptr<sim::VirtualController> vc;
    std::int64_t nowMs = 10'000;
};

using Bytes = std::vector<std::uint8_t>;

}  // namespace orvane::test
