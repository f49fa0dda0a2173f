// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/FrameReader.h"

#include <algorithm>

namespace orvane::sim {

namespace {

int ArgumentsInUse(const commands::CommandDef& def) {
    return std::clamp(def.argumentCount, 0, commands::CommandDef::kMaxArguments);
}

}  // namespace

bool FrameReader::Start(const commands::CommandTable& table, std::uint8_t identifier) {
    Reset();
    for (const auto& def : table.NewestFirst()) {
        if (def.identifier != identifier || identifier == 0) continue;
        command_ = &def;
        expected_ = 1;
        for (int k = 0; k < ArgumentsInUse(def); ++k)
            expected_ += static_cast<std::size_t>(WireSize(def.arguments[static_cast<std::size_t>(k)].size));
        bytes_.push_back(identifier);
        return true;
    }
    return false;
}

bool FrameReader::Add(std::uint8_t byte) {
    if (command_ && bytes_.size() < expected_) bytes_.push_back(byte);
    return Complete();
}

void FrameReader::Reset() {
    command_ = nullptr;
    bytes_.clear();
    expected_ = 0;
}

std::uint8_t FrameReader::Checksum() const {
    unsigned sum = 0;
    for (const std::uint8_t b : bytes_) sum += b;
    return static_cast<std::uint8_t>(sum);
}

std::vector<std::uint32_t> FrameReader::ArgumentValues() const {
    std::vector<std::uint32_t> values;
    if (!command_) return values;
    std::size_t at = 1;
    for (int k = 0; k < ArgumentsInUse(*command_); ++k) {
        std::uint32_t value = 0;
        const int size = WireSize(command_->arguments[static_cast<std::size_t>(k)].size);
        for (int i = 0; i < size && at < bytes_.size(); ++i) value = (value << 8) | bytes_[at++];
        values.push_back(value);
    }
    return values;
}

}  // namespace orvane::sim
