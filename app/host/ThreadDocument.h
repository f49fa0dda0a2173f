// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "core/compiler/ScriptDocument.h"

class QObject;

namespace orvane::app::document { class ScriptDocument; }

namespace orvane::app::host {

// The script's document as a compile on the device thread needs it: its path and its Save
// command, both carried out by the window thread while the device thread waits. A path the
// core could not spell in CP1250 counts as no path, and saving then asks for another name, so
// generated files never land under a mangled name.
class ThreadDocument : public orvane::compiler::ScriptDocument {
public:
    ThreadDocument(document::ScriptDocument& window, QObject* windowContext)
        : window_(window), context_(windowContext) {}
    std::string PathName() const override;
    void Save() override;

private:
    document::ScriptDocument& window_;
    QObject* context_;
};

}  // namespace orvane::app::host
