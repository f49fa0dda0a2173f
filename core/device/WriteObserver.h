// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <span>

namespace orvane::device {

// Hears every group of bytes a CSerialCtrl has written to the controller, in the order written
// and on the writing thread. One write is one request (a command frame goes out whole), so a
// listener such as the servo view can follow what a run or a servo dialog commands.
class WriteObserver {
public:
    virtual ~WriteObserver() = default;
    virtual void Written(std::span<const std::uint8_t> bytes) = 0;
};

}  // namespace orvane::device
