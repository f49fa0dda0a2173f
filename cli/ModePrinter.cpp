// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ModePrinter.h"

#include "core/host/Cp1250.h"

namespace orvane::cli {

void ModePrinter::ModeApplied(device::DeviceMode mode) {
    if (mode == shown_) return;
    shown_ = mode;
    std::fprintf(out_, " Tryb: %s\n", host::Cp1250ToUtf8(device::ModeName(mode)).c_str());
    std::fflush(out_);
}

}  // namespace orvane::cli
