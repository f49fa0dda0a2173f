// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include <QString>

#include "core/host/Cp1250.h"

namespace orvane::app::dialogs {

// The core's CP1250 text shown in a widget, and a widget's text handed to the core.
inline QString ToQt(const std::string& cp1250) { return QString::fromStdString(orvane::host::Cp1250ToUtf8(cp1250)); }
inline std::string ToCore(const QString& text) { return orvane::host::Utf8ToCp1250(text.toStdString()); }
// The Polish literals of the dialogs, written as UTF-8 in the sources.
inline QString Pl(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace orvane::app::dialogs
