// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/DeviceProgramWriter.h"

#include "core/device/FlashArea.h"

namespace orvane::compiler {

DeviceProgramWriter::DeviceProgramWriter(device::DeviceLink& link, device::FlashOperations& flash)
    : link_(link), flash_(flash) {}

device::DeviceMode DeviceProgramWriter::Mode() { return link_.Mode(); }

bool DeviceProgramWriter::WriteProgram(const std::string&) {
    return flash_.Write(device::FlashArea::Kind::Program) == device::FlashResult::Done;
}

}  // namespace orvane::compiler
