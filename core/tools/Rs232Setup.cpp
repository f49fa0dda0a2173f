// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/Rs232Setup.h"

#include <charconv>

#include "core/device/BaudRates.h"
#include "core/device/ComPortMap.h"
#include "core/device/ControllerBytes.h"
#include "core/device/SpeedFinder.h"
#include "core/host/AsciiText.h"
#include "core/host/Cp1250.h"
#include "core/tools/SerialDeviceList.h"
#include "core/host/SettingKeys.h"

namespace orvane::tools {

namespace {

using device::BaudRates;
constexpr std::string_view kBaudKey = host::SettingKeys::kBaudRate.key;
constexpr std::string_view kComKey = host::SettingKeys::kCom.key;

using host::TrimSpaces;

}  // namespace

Rs232Setup::Rs232Setup(device::CSerialCtrl& serial, StagedSettings& settings, host::Prompts& prompts)
    : serial_(serial), settings_(settings), prompts_(prompts) {}

std::optional<int> Rs232Setup::ParseComNumber(std::string_view text) {
    text = TrimSpaces(text);
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (number < 1 || number > kMaxComNumber) return std::nullopt;
    return number;
}

std::string Rs232Setup::DeviceOf(std::string_view comText) const {
    const auto com = ParseComNumber(comText);
    return com ? settings_.ReadString(device::ComPortMap::OverrideKey(*com), "") : std::string();
}

Rs232View Rs232Setup::View() const {
    Rs232View view{held_, changeEnabled_, {}};
    if (controllerRate_ && *controllerRate_ != storedRate_) {
        const std::string now = BaudRates::TextOfRate(*controllerRate_);
        view.warning = host::Pl("Sterownik pracuje teraz z prędkością ") + now +
                       host::Pl(", a w ustawieniach zapisana jest ") + BaudRates::TextOfRate(storedRate_) +
                       host::Pl(".\nWybierz ") + now +
                       host::Pl(" i zatwierdź OK: po „Anuluj” program nie połączy się ze sterownikiem.");
    }
    return view;
}

Rs232View Rs232Setup::Open() {
    settings_.Discard();
    held_.baudText = settings_.Read(host::SettingKeys::kBaudRate);
    held_.comText = std::to_string(settings_.Read(host::SettingKeys::kCom));
    held_.device = DeviceOf(held_.comText);
    storedRate_ = BaudRates::RateOfText(held_.baudText);
    controllerRate_.reset();
    changeEnabled_ = false;
    return View();
}

Rs232View Rs232Setup::ControlsEdited() {
    changeEnabled_ = true;
    return View();
}

bool Rs232Setup::Take(const Rs232Values& values) {
    const auto com = ParseComNumber(values.comText);
    if (!com) {
        prompts_.Tell(host::Pl("Błąd (URSBS2)"),
                      host::Pl("Numer portu COM musi być liczbą całkowitą od 1 do ") +
                          std::to_string(kMaxComNumber) + ".",
                      host::Icon::Warning);
        return false;
    }
    held_ = values;
    held_.comText = std::to_string(*com);
    portIndex_ = *com - 1;
    // The port's opener reads the device from here, so the action uses the one just picked.
    settings_.WriteString(device::ComPortMap::OverrideKey(*com), held_.device);
    return true;
}

bool Rs232Setup::OpenPort() {
    if (serial_.OpenPort(portIndex_)) return true;
    prompts_.Tell(host::Pl("Błąd (URSBS1)"), host::Pl("Błąd otwarcia RS232"));
    return false;
}

bool Rs232Setup::Probe(int rate) {
    return device::SpeedFinder(serial_, portIndex_).AtRate(rate).has_value();
}

Rs232View Rs232Setup::Finish() {
    changeEnabled_ = false;
    serial_.ClosePort(portIndex_);
    return View();
}

Rs232View Rs232Setup::Test(const Rs232Values& values) {
    if (!Take(values) || !OpenPort()) return View();
    const int rate = BaudRates::RateOfText(held_.baudText);
    if (Probe(rate)) {
        controllerRate_ = rate;
        prompts_.Ask("Rozpoznanie", host::Pl("Prawidłowe rozpoznanie danej prędkości RSa."),
                     host::Buttons::OkCancel, host::Icon::None);
    } else {
        prompts_.Tell(host::Pl("Błąd"), host::Pl("Nie rozpoznano danej prędkości RSa lub błąd urządzenia."));
    }
    return Finish();
}

Rs232View Rs232Setup::Identify(const Rs232Values& values, const Progress& progress,
                               const Cancelled& cancelled) {
    if (!Take(values) || !OpenPort()) return View();
    for (const auto& entry : BaudRates::All()) {
        if (cancelled && cancelled()) return Finish();
        if (progress) progress(entry.text);
        if (!Probe(entry.rate)) continue;
        held_.baudText = std::string(entry.text);
        controllerRate_ = entry.rate;
        prompts_.Tell("Rozpoznanie", host::Pl("Rozpoznanie prędkości RSa:\n\n\t") + held_.baudText);
        return Finish();
    }
    prompts_.Tell(host::Pl("Błąd"), host::Pl("Błąd identyfikacji RSa."));
    return Finish();
}

Rs232View Rs232Setup::Change(const Rs232Values& values) {
    // The controller still listens at the speed the dialog held before this choice.
    const int oldRate = BaudRates::RateOfText(held_.baudText);
    if (!Take(values) || !OpenPort()) return View();
    serial_.SetBaud(oldRate, portIndex_);
    serial_.DiscardInput(portIndex_);
    const std::uint8_t request[] = {device::controller::kSetSpeed,
                                    static_cast<std::uint8_t>(BaudRates::SpeedCodeOfText(held_.baudText))};
    if (serial_.WriteBytes(request, 2, portIndex_)) controllerRate_ = BaudRates::RateOfText(held_.baudText);
    return Finish();
}

bool Rs232Setup::Accept(const Rs232Values& values) {
    if (!values.device.empty() && !SerialDeviceList::IsDevice(values.device)) {
        prompts_.Tell(host::Pl("Błąd (URSBS3)"),
                      host::Pl("Urządzenie „") + values.device +
                          host::Pl("” nie istnieje lub nie jest portem szeregowym."),
                      host::Icon::Warning);
        return false;
    }
    if (!Take(values)) return false;
    settings_.WriteString(kBaudKey, held_.baudText);
    settings_.WriteString(kComKey, held_.comText);
    settings_.Commit();
    return true;
}

}  // namespace orvane::tools
