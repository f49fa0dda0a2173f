// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "core/device/DeviceMode.h"

namespace orvane::compiler {

// Where a successful compile sends its program: the controller's last known mode decides
// whether the program write can start, and the write offers the HEX file it was given.
class ProgramWriter {
public:
    virtual ~ProgramWriter() = default;
    virtual device::DeviceMode Mode() = 0;
    // The program write into the controller's flash; true when it was written.
    virtual bool WriteProgram(const std::string& hexPath) = 0;
};

}  // namespace orvane::compiler
