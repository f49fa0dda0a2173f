// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "core/device/SerialCtrl.h"
#include "core/host/SettingsStore.h"

namespace orvane::device {

// The port (re)start sequence shared by start-up, Reset RS232 and the RS232 dialog: port index
// from "COM", open, speed from "Baud Rate". Each caller words its own failure box and decides
// whether the speed is still set after a failed open; the mode query follows in the caller.
class PortStarter {
public:
    struct Result {
        int portIndex = 0;   // "COM" minus one
        bool opened = false;
        int baud = 0;        // the current baud rate after the sequence
    };

    // Steps 1 and 2: the index from the settings and OpenPort.
    static Result Open(CSerialCtrl& serial, const host::SettingsStore& settings);
    // Steps 3 and 4: the rate from "Baud Rate" and SetBaud on the index.
    static void ApplyBaud(CSerialCtrl& serial, const host::SettingsStore& settings, Result& result);
    // The rate of the "Baud Rate" setting (default "115,2k").
    static int ConfiguredBaud(const host::SettingsStore& settings);
};

}  // namespace orvane::device
