// SPDX-License-Identifier: GPL-3.0-or-later
#include "simchip/ChipObserver.h"

#include <cstdio>

#include "simchip/FirmwareRoutine.h"

namespace orvane::simchip {

std::string FirmwareCall::Text() const {
    char time[32];
    std::snprintf(time, sizeof time, "%lld.%03lld ms ", static_cast<long long>(timeUs / 1000),
                  static_cast<long long>(timeUs % 1000));
    std::string text = time + routine + "(";
    for (std::size_t i = 0; i < arguments.size(); ++i) text += (i ? ", " : "") + std::to_string(arguments[i]);
    text += ")";
    const FirmwareRoutine* served = FirmwareRoutine::AtEntry(entry);
    if (served != nullptr && served->resultSize > 0) text += " -> " + std::to_string(result);
    return text;
}

}  // namespace orvane::simchip
