// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/device/SerialCtrl.h"
#include "core/host/Prompts.h"
#include "core/tools/StagedSettings.h"

namespace orvane::tools {

// What the RS232 dialog's controls hold when an action takes them (CP1250).
struct Rs232Values {
    std::string baudText;  // one of the nine speed texts
    std::string comText;   // the COM number as typed
    std::string device;    // the device of that COM number; empty: /dev/ttyS{n-1}
};

// What the dialog shows after an action.
struct Rs232View {
    Rs232Values values;
    bool changeEnabled = false;
    // Empty, or why Anuluj would now leave the PC unable to reach the controller.
    std::string warning;
};

// The RS232 dialog without its widgets: the speed test, the identification over the nine
// speeds, the controller's speed change and what OK stores. The dialog's own port is `serial`;
// the device picked for a COM number is staged in `settings` (which the port's opener reads),
// so the actions use it at once while only OK stores it.
class Rs232Setup {
public:
    using Progress = std::function<void(std::string_view baudText)>;
    using Cancelled = std::function<bool()>;

    static constexpr int kMaxComNumber = device::CSerialCtrl::kSlots;

    Rs232Setup(device::CSerialCtrl& serial, StagedSettings& settings, host::Prompts& prompts);

    // The stored speed, COM number and that number's device; the caller runs Test at once.
    Rs232View Open();
    // The user chose another speed or edited the COM number or the device: "Zmień" is enabled.
    Rs232View ControlsEdited();
    // The device stored (or picked in this dialog) for a COM number text; empty if none.
    std::string DeviceOf(std::string_view comText) const;

    // "Sprawdź": the state query at the chosen speed. A controller that answers in another mode
    // is brought into BootLoader there (the speed change needs it); success is the boot
    // loader's own answer.
    Rs232View Test(const Rs232Values& values);
    // "Identyfikuj": the nine speeds slowest first until the controller answers in any mode and
    // is brought into BootLoader there, as "Sprawdź" does. `progress`
    // hears each speed before it is tried; `cancelled` is asked before each (the port is then
    // closed and nothing is reported).
    Rs232View Identify(const Rs232Values& values, const Progress& progress, const Cancelled& cancelled);
    // "Zmień": tells the controller, at the speed held from before, to switch to the chosen one.
    Rs232View Change(const Rs232Values& values);
    // OK: stores the speed, the COM number and its device; false (its box shown, nothing
    // stored) when they cannot be stored.
    bool Accept(const Rs232Values& values);

    // A COM number text as a number 1..kMaxComNumber, or nothing.
    static std::optional<int> ParseComNumber(std::string_view text);

private:
    // Takes the controls' values; false (with its box) for a COM number that is none.
    bool Take(const Rs232Values& values);
    // Opens the dialog's port on the held COM number; false after the URSBS1 box.
    bool OpenPort();
    // The controller at `rate`, brought into BootLoader: true when the boot loader answered.
    bool Probe(int rate);
    Rs232View Finish();
    Rs232View View() const;

    device::CSerialCtrl& serial_;
    StagedSettings& settings_;
    host::Prompts& prompts_;
    Rs232Values held_;
    int portIndex_ = 0;
    bool changeEnabled_ = false;
    int storedRate_ = 0;
    std::optional<int> controllerRate_;  // the speed the controller is known to listen at
};

}  // namespace orvane::tools
