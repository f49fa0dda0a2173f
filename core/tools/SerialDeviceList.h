// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace orvane::tools {

// A serial device the user may pick for a COM number.
struct SerialDevice {
    std::string path;   // what is stored: the stable /dev/serial/by-id/ name when there is one
    std::string label;  // what the list shows
};

// The serial devices present on this machine: the built-in ports (/dev/ttyS*) that have a UART
// behind them, USB adapters (/dev/ttyUSB*) and modems (/dev/ttyACM*), the latter two by their
// /dev/serial/by-id/ names, which survive re-plugging into another socket. `root` stands for
// "/" so tests can lay out a tree of their own.
class SerialDeviceList {
public:
    explicit SerialDeviceList(std::string root = "/") : root_(std::move(root)) {}

    // Built-in ports by number, then the adapters by name.
    std::vector<SerialDevice> Present() const;

    // True when `path` names an existing character device (links followed): what may be stored
    // as the device of a COM number. Whether it is a serial line shows only when it is opened.
    static bool IsDevice(const std::string& path);

private:
    std::vector<SerialDevice> BuiltInPorts() const;
    std::vector<SerialDevice> Adapters() const;

    std::string root_;
};

}  // namespace orvane::tools
