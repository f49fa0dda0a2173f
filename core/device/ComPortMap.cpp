// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/ComPortMap.h"

#include "core/host/Cp1250.h"

namespace orvane::device {

std::string ComPortMap::OverrideKey(int comNumber) {
    return host::Pl("Urządzenie COM") + std::to_string(comNumber);
}

std::string ComPortMap::PathFor(int comNumber) const {
    if (comNumber < 1) return {};
    const std::string path = settings_.ReadString(OverrideKey(comNumber), "");
    if (!path.empty()) return path;
    return "/dev/ttyS" + std::to_string(comNumber - 1);
}

}  // namespace orvane::device
