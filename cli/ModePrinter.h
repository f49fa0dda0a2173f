// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdio>
#include <string>

#include "core/device/ModeObserver.h"

namespace orvane::cli {

// The window's mode pane on a terminal: " Tryb: " and the mode, a line each time it changes.
class ModePrinter : public device::ModeObserver {
public:
    explicit ModePrinter(std::FILE* out) : out_(out) {}
    void ModeApplied(device::DeviceMode mode) override;

private:
    std::FILE* out_;
    device::DeviceMode shown_ = device::DeviceMode::NotQueried;
};

}  // namespace orvane::cli
