// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

#include "core/host/EditorAccess.h"

namespace orvane::compiler {

// Keeps the editor disabled while a compile works on its text, and gives it back as it was
// (enabled, the user's selection, the focus) however the compile ends.
class EditorLock {
public:
    explicit EditorLock(host::EditorAccess& editor) : editor_(editor) {
        editor_.GetSelection(start_, end_);
        editor_.SetEnabled(false);
    }
    ~EditorLock() { Release(); }
    EditorLock(const EditorLock&) = delete;
    EditorLock& operator=(const EditorLock&) = delete;

    void Release() {
        if (released_) return;
        released_ = true;
        editor_.SetEnabled(true);
        editor_.SetSelection(start_, end_);
        editor_.Focus();
    }

private:
    host::EditorAccess& editor_;
    std::int32_t start_ = 0;
    std::int32_t end_ = 0;
    bool released_ = false;
};

}  // namespace orvane::compiler
