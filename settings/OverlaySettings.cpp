// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/OverlaySettings.h"

#include "core/device/ComPortMap.h"
#include "core/host/SettingKeys.h"

namespace orvane::settings {

void OverlaySettings::Override(std::string_view key, std::string_view value) {
    const std::lock_guard lock(mutex_);
    overlay_.WriteString(key, value);
}

void OverlaySettings::OverridePort(std::string_view path) {
    Override(host::SettingKeys::kCom.key, "1");
    Override(device::ComPortMap::OverrideKey(1), path);
}

std::string OverlaySettings::ReadString(std::string_view key, std::string_view fallback) const {
    {
        const std::lock_guard lock(mutex_);
        if (overlay_.Contains(key)) return overlay_.ReadString(key, fallback);
    }
    return base_.ReadString(key, fallback);
}

void OverlaySettings::WriteString(std::string_view key, std::string_view value) {
    base_.WriteString(key, value);
    const std::lock_guard lock(mutex_);
    if (overlay_.Contains(key)) overlay_.WriteString(key, value);
}

}  // namespace orvane::settings
