// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

#include "app/host/WaitBreaker.h"
#include "core/device/ForwardingPort.h"

namespace orvane::app::device {

// An open port whose wait for a byte gives up as soon as the breaker fires; everything else is
// the port's own. The wait polls in short slices, so a byte that arrives still ends it at once.
class BreakablePort : public orvane::device::ForwardingPort {
public:
    BreakablePort(std::unique_ptr<orvane::device::PortBackend> port, const host::WaitBreaker& breaker)
        : ForwardingPort(std::move(port)), breaker_(breaker) {}

    bool WaitReadable(std::int64_t timeoutMs) override;

private:
    const host::WaitBreaker& breaker_;
};

}  // namespace orvane::app::device
