// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include <QString>

#include "app/host/QtText.h"

namespace orvane::app::dialogs {

using host::FromCp1250;
using host::ToCp1250;
// The Polish literals of the dialogs, written as UTF-8 in the sources.
inline QString Pl(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace orvane::app::dialogs
