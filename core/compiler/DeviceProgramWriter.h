// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "core/compiler/ProgramWriter.h"
#include "core/device/DeviceLink.h"
#include "core/device/FlashOperations.h"

namespace orvane::compiler {

// The compile's program write on the real device link: the controller's last known mode, and
// the Program write of the flash operations, which offers the HEX file the compile has just
// stored as "Plik".
class DeviceProgramWriter : public ProgramWriter {
public:
    DeviceProgramWriter(device::DeviceLink& link, device::FlashOperations& flash);

    device::DeviceMode Mode() override;
    bool WriteProgram(const std::string& hexPath) override;

private:
    device::DeviceLink& link_;
    device::FlashOperations& flash_;
};

}  // namespace orvane::compiler
