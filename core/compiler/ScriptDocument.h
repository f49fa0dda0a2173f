// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace orvane::compiler {

// The script's document as the compile needs it: where it is stored, and the Save command that
// gives an unsaved script a file.
class ScriptDocument {
public:
    virtual ~ScriptDocument() = default;
    // The full path (CP1250); empty while the script has never been saved.
    virtual std::string PathName() const = 0;
    // The window's Save command: may ask for a name, may be cancelled.
    virtual void Save() = 0;
};

}  // namespace orvane::compiler
