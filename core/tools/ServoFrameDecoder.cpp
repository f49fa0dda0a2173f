// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/ServoFrameDecoder.h"

#include <algorithm>
#include <vector>

#include "core/tools/ServoSettings.h"

namespace orvane::tools {

namespace {

constexpr std::size_t kServoArgument = 0;
constexpr std::size_t kPositionIndex = 4;
// The servo dialogs' own frame: identifier, servo, step, time, soft, position (2 bytes).
constexpr std::size_t kDialogFrameSize = 7;

// The wire value of each argument a frame of `def` carries, or nothing when the frame's
// length is not that of `def` (arguments of other sizes carry no bytes, as when sent).
std::optional<std::vector<std::uint32_t>> SplitArguments(const commands::CommandDef& def,
                                                         std::span<const std::uint8_t> frame) {
    std::vector<std::uint32_t> values;
    std::size_t at = 1;
    for (int k = 0; k < def.argumentCount && k < commands::CommandDef::kMaxArguments; ++k) {
        const std::int32_t size = def.arguments[static_cast<std::size_t>(k)].size;
        std::uint32_t value = 0;
        for (std::int32_t b = 0; size <= 3 && b < size; ++b, ++at) {
            if (at >= frame.size()) return std::nullopt;
            value = value << 8 | frame[at];
        }
        values.push_back(value);
    }
    if (at != frame.size()) return std::nullopt;
    return values;
}

std::optional<std::vector<std::uint32_t>> DialogArguments(std::span<const std::uint8_t> frame) {
    if (frame.size() != kDialogFrameSize) return std::nullopt;
    return std::vector<std::uint32_t>{frame[1], frame[2], frame[3], frame[4],
                                      static_cast<std::uint32_t>(frame[5] << 8 | frame[6])};
}

// The script value whose scaled wire value is `wire`: (wire - constant) * divisor / multiplier.
std::optional<std::int64_t> Unscale(std::uint32_t wire, const commands::CommandArg& arg) {
    if (arg.multiplier == 0) return std::nullopt;
    return (static_cast<std::int64_t>(wire) - arg.constant) * arg.divisor / arg.multiplier;
}

}  // namespace

ServoFrameDecoder::ServoFrameDecoder(const commands::CommandTable& commands, const host::SettingsStore& settings,
                                     Sink sink)
    : commands_(commands), settings_(settings), sink_(std::move(sink)) {}

void ServoFrameDecoder::Written(std::span<const std::uint8_t> bytes) {
    if (const auto position = Decode(bytes); position && sink_) sink_(*position);
}

std::optional<ServoFrameDecoder::Position> ServoFrameDecoder::Decode(std::span<const std::uint8_t> frame) const {
    if (frame.size() < 2) return std::nullopt;
    const commands::CommandDef* units = commands_.Find(ServoSettings::SetCommand(settings_));
    if (units == nullptr) return std::nullopt;
    const commands::CommandDef* degrees = commands_.Find(ServoSettings::SetDegreesCommand(settings_));
    for (const commands::CommandDef* def : {units, degrees}) {
        if (def == nullptr || def->identifier == 0 || def->identifier != frame[0]) continue;
        auto values = SplitArguments(*def, frame);
        const bool byDefinition = values && values->size() > kPositionIndex;
        if (!byDefinition) values = DialogArguments(frame);
        if (!values) continue;
        const auto servo = byDefinition ? Unscale((*values)[kServoArgument], def->arguments[kServoArgument])
                                        : std::optional<std::int64_t>((*values)[kServoArgument]);
        // Both commands drive the same servos: their wire value is one unit, shown in the
        // position command's own.
        const auto position = Unscale((*values)[kPositionIndex], units->arguments[kPositionIndex]);
        if (!servo || *servo < 1 || *servo > 16 || !position) continue;
        constexpr std::int64_t kLimit = 1'000'000'000;
        return Position{static_cast<int>(*servo), static_cast<int>(std::clamp(*position, -kLimit, kLimit))};
    }
    return std::nullopt;
}

}  // namespace orvane::tools
