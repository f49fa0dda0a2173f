// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/device/BreakablePortOpener.h"

#include "app/device/BreakablePort.h"

namespace orvane::app::device {

std::unique_ptr<orvane::device::PortBackend> BreakablePortOpener::Open(int portIndex, std::string& error) {
    auto port = opener_.Open(portIndex, error);
    if (!port) return nullptr;
    return std::make_unique<BreakablePort>(std::move(port), breaker_);
}

}  // namespace orvane::app::device
