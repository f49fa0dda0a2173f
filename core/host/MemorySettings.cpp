// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/MemorySettings.h"

#include "core/host/Cp1250.h"

namespace orvane::host {

std::string MemorySettings::ReadString(std::string_view key, std::string_view fallback) const {
    const auto it = values_.find(FoldCase(key));
    return it == values_.end() ? std::string(fallback) : it->second;
}

void MemorySettings::WriteString(std::string_view key, std::string_view value) {
    values_[FoldCase(key)] = std::string(value);
}

bool MemorySettings::Contains(std::string_view key) const {
    return values_.count(FoldCase(key)) != 0;
}

}  // namespace orvane::host
