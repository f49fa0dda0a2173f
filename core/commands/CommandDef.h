// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace orvane::commands {

// One argument of a device command: its bytes on the wire and the integer scaling
// wire value = script value * multiplier / divisor + constant.
struct CommandArg {
    std::int32_t size = 1;
    std::int32_t multiplier = 1;
    std::int32_t divisor = 1;
    std::int32_t constant = 0;
    std::string description;

    bool operator==(const CommandArg&) const = default;
};

// One device command of Komendy.ini. A result's script value is
// (wire value - constant) * multiplier / divisor. Text is CP1250.
struct CommandDef {
    static constexpr int kMaxArguments = 10;

    std::string name;
    std::string description;
    std::string asmName;
    std::uint8_t identifier = 0;
    std::int32_t resultSize = 0;
    std::int32_t resultConstant = 0;
    std::int32_t resultMultiplier = 1;
    std::int32_t resultDivisor = 1;
    std::int32_t argumentCount = 0;  // 0..10 entries of `arguments` in use
    std::array<CommandArg, kMaxArguments> arguments{};

    bool operator==(const CommandDef&) const = default;
};

}  // namespace orvane::commands
