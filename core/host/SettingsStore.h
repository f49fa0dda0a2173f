// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

#include "core/host/SettingKeys.h"

namespace orvane::host {

// The `ORVANE` section of the user's settings. Keys and values are CP1250 text;
// numbers are stored as decimal text, as the original profile store did.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string ReadString(std::string_view key, std::string_view fallback) const = 0;
    virtual void WriteString(std::string_view key, std::string_view value) = 0;

    // Decimal text read like the platform's profile integer reader: optional sign, leading
    // digits; anything else (or a missing key) gives the fallback only when no digit is there.
    int ReadInt(std::string_view key, int fallback) const;
    void WriteInt(std::string_view key, int value);

    // A setting of the shared table (SettingKeys), with its own default.
    int Read(const IntSetting& setting) const { return ReadInt(setting.key, setting.fallback); }
    std::string Read(const TextSetting& setting) const { return ReadString(setting.key, setting.fallback); }
};

}  // namespace orvane::host
