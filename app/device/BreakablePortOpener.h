// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/host/WaitBreaker.h"
#include "core/device/PosixPortOpener.h"

namespace orvane::app::device {

// Opens the system's serial devices as the CLI does, each port wrapped so the breaker can end
// its waits.
class BreakablePortOpener : public orvane::device::PortOpener {
public:
    BreakablePortOpener(const orvane::host::SettingsStore& settings, const host::WaitBreaker& breaker)
        : opener_(settings), breaker_(breaker) {}
    std::unique_ptr<orvane::device::PortBackend> Open(int portIndex, std::string& error) override;

private:
    orvane::device::PosixPortOpener opener_;
    const host::WaitBreaker& breaker_;
};

}  // namespace orvane::app::device
