// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <string>

#include "core/host/Cp1250.h"

namespace orvane::app::host {

// A text of the core (code page 1250) as the window shows it.
inline QString FromCp1250(const std::string& text) { return QString::fromStdString(orvane::host::Cp1250ToUtf8(text)); }

}  // namespace orvane::app::host
