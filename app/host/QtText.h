// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <string>

#include "core/host/Cp1250.h"

namespace orvane::app::host {

// The core speaks CP1250, the widgets Unicode: a core text as the window shows it, and a
// widget's text handed to the core.
inline QString FromCp1250(const std::string& text) { return QString::fromStdString(orvane::host::Cp1250ToUtf8(text)); }
inline std::string ToCp1250(const QString& text) { return orvane::host::Utf8ToCp1250(text.toStdString()); }
// True when the text survives the trip into CP1250 and back (a path that does not would be
// stored under another name).
inline bool SpellableInCp1250(const QString& text) { return FromCp1250(ToCp1250(text)) == text; }

}  // namespace orvane::app::host
