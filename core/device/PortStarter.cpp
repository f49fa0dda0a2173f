#include "core/device/PortStarter.h"

#include "core/device/BaudRates.h"

namespace orvane::device {

PortStarter::Result PortStarter::Open(CSerialCtrl& serial, const host::SettingsStore& settings) {
    Result result;
    const int com = settings.ReadInt("COM", 1);
    result.portIndex = com - 1;
    result.opened = com >= 1 && serial.OpenPort(result.portIndex);
    return result;
}

int PortStarter::ConfiguredBaud(const host::SettingsStore& settings) {
    return BaudRates::RateOfText(settings.ReadString("Baud Rate", "115,2k"));
}

void PortStarter::ApplyBaud(CSerialCtrl& serial, const host::SettingsStore& settings, Result& result) {
    result.baud = ConfiguredBaud(settings);
    serial.SetBaud(result.baud, result.portIndex);
}

}  // namespace orvane::device
