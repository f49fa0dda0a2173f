// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include <QString>

#include "app/host/QtText.h"

class QLineEdit;

namespace orvane::app::dialogs {

using host::FromCp1250;
using host::SpellableInCp1250;
using host::ToCp1250;

// A path typed into `edit` that CP1250 cannot spell is refused with a box and the edit gets
// the focus; true when the path may be stored.
bool AcceptablePath(QLineEdit* edit);

}  // namespace orvane::app::dialogs
