// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/SettingsStore.h"

#include "core/host/ProfileInt.h"

namespace orvane::host {

int SettingsStore::ReadInt(std::string_view key, int fallback) const {
    static const std::string kMissing("\x01missing\x01");
    const std::string text = ReadString(key, kMissing);
    if (text == kMissing) return fallback;
    return ParseProfileInt(text, fallback);
}

void SettingsStore::WriteInt(std::string_view key, int value) {
    WriteString(key, std::to_string(value));
}

}  // namespace orvane::host
