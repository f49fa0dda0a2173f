// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/host/ThreadDocument.h"

#include "app/document/ScriptDocument.h"
#include "app/host/GuiCall.h"
#include "app/host/QtText.h"
#include "core/host/Cp1250.h"

namespace orvane::app::host {

std::string ThreadDocument::PathName() const {
    std::string path;
    CallOnThreadOf(context_, [&] {
        const QString& file = window_.FilePath();
        if (SpellableInCp1250(file)) path = ToCp1250(file);
    });
    return path;
}

void ThreadDocument::Save() {
    CallOnThreadOf(context_, [&] {
        if (SpellableInCp1250(window_.FilePath())) window_.Save();
        else window_.SaveAs();
    });
}

}  // namespace orvane::app::host
