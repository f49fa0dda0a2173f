// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include <QString>

#include "core/host/Cp1250.h"

class QLineEdit;

namespace orvane::app::dialogs {

// The logic speaks CP1250, the widgets Unicode.
inline QString Ui(const std::string& cp1250) { return QString::fromStdString(orvane::host::Cp1250ToUtf8(cp1250)); }
inline std::string Cp(const QString& text) { return orvane::host::Utf8ToCp1250(text.toStdString()); }
// True when the text survives the trip into CP1250 and back (a path that does not would be
// stored under another name).
inline bool SpellableInCp1250(const QString& text) { return Ui(Cp(text)) == text; }

// A path typed into `edit` that CP1250 cannot spell is refused with a box and the edit gets
// the focus; true when the path may be stored.
bool AcceptablePath(QLineEdit* edit);

}  // namespace orvane::app::dialogs
