// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/PortStarter.h"

#include "core/device/BaudRates.h"
#include "core/host/SettingKeys.h"

namespace orvane::device {

PortStarter::Result PortStarter::Open(CSerialCtrl& serial, const host::SettingsStore& settings) {
    Result result;
    const int com = settings.Read(host::SettingKeys::kCom);
    result.portIndex = com - 1;
    // A port whose device hung up stays in its slot, dead: its speed could not even be set. The
    // start sequence (Reset RS232 among them) opens the device anew instead.
    if (serial.HungUp(result.portIndex)) serial.ClosePort(result.portIndex);
    result.opened = com >= 1 && serial.OpenPort(result.portIndex);
    return result;
}

int PortStarter::ConfiguredBaud(const host::SettingsStore& settings) {
    return BaudRates::RateOfText(settings.Read(host::SettingKeys::kBaudRate));
}

void PortStarter::ApplyBaud(CSerialCtrl& serial, const host::SettingsStore& settings, Result& result) {
    result.baud = ConfiguredBaud(settings);
    serial.SetBaud(result.baud, result.portIndex);
}

}  // namespace orvane::device
