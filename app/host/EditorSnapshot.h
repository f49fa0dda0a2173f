// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace orvane::app::editor { class ScriptEditor; }

namespace orvane::app::host {

// The script as it stands when the window hands work to the device thread: the core's CP1250
// text, where each of the editor's lines starts (so line numbers agree with the editor's,
// whatever its line ends) and the selection, in core positions.
struct EditorSnapshot {
    std::string text;
    std::vector<std::int32_t> lineStarts{0};
    std::int32_t selectionStart = 0;
    std::int32_t selectionEnd = 0;

    // Taken on the window thread.
    static EditorSnapshot Of(const editor::ScriptEditor& editor);
};

}  // namespace orvane::app::host
