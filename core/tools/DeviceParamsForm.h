// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "core/device/DeviceParams.h"
#include "core/host/Prompts.h"

namespace orvane::tools {

// The "Parametry urządzenia" dialog without its widgets: the controller runs the user program
// at power-up only when it does not start in Komendy mode, so that box is offered only then.
class DeviceParamsForm {
public:
    // Whether "Uruchamiaj pragram użytkownika na starcie" can be changed.
    static bool RunAtStartEnabled(const device::DeviceParams& params) { return !params.startInKomendy; }
    // After a click on that box (`params` as the click left them): the "INFO" box when both
    // are ticked.
    static void RunAtStartClicked(const device::DeviceParams& params, host::Prompts& prompts);
};

}  // namespace orvane::tools
