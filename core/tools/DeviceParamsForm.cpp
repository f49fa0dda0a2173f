// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/DeviceParamsForm.h"

#include "core/host/Cp1250.h"

namespace orvane::tools {

void DeviceParamsForm::RunAtStartClicked(const device::DeviceParams& params, host::Prompts& prompts) {
    if (!params.runUserProgramAtStart || !params.startInKomendy) return;
    prompts.Tell("INFO", host::Pl("Program użytkownika będzie uruchamiany na starcie tylko wtedy, gdy praca "
                                  "urządzenia nie rozpoczyna się od trybu Komend."));
}

}  // namespace orvane::tools
