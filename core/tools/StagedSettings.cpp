// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/StagedSettings.h"

#include "core/host/Cp1250.h"

namespace orvane::tools {

std::size_t StagedSettings::Index(std::string_view key) const {
    std::size_t i = 0;
    while (i < staged_.size() && !host::EqualsIgnoreCase(staged_[i].first, key)) ++i;
    return i;
}

std::string StagedSettings::ReadString(std::string_view key, std::string_view fallback) const {
    const std::size_t i = Index(key);
    return i < staged_.size() ? staged_[i].second : stored_.ReadString(key, fallback);
}

void StagedSettings::WriteString(std::string_view key, std::string_view value) {
    const std::size_t i = Index(key);
    if (i < staged_.size()) staged_[i].second = std::string(value);
    else staged_.emplace_back(std::string(key), std::string(value));
}

void StagedSettings::Commit() {
    for (const auto& [key, value] : staged_) stored_.WriteString(key, value);
    Discard();
}

}  // namespace orvane::tools
