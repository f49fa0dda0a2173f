// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "core/device/ComPortMap.h"
#include "core/device/PortBackend.h"

namespace orvane::device {

// Opens the device that a port index's COM number maps to.
class PosixPortOpener : public PortOpener {
public:
    explicit PosixPortOpener(const host::SettingsStore& settings) : map_(settings) {}
    std::unique_ptr<PortBackend> Open(int portIndex, std::string& error) override;

private:
    ComPortMap map_;
};

}  // namespace orvane::device
