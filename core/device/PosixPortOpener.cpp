// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/PosixPortOpener.h"

#include "core/device/PosixSerialPort.h"

namespace orvane::device {

std::unique_ptr<PortBackend> PosixPortOpener::Open(int portIndex, std::string& error) {
    const std::string path = map_.PathFor(portIndex + 1);
    if (path.empty()) {
        error = "COM" + std::to_string(portIndex + 1) + ": nie ma takiego portu.";
        return nullptr;
    }
    return PosixSerialPort::Open(path, error);
}

}  // namespace orvane::device
