// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/host/EditorSnapshot.h"

#include "app/editor/ScriptEditor.h"

namespace orvane::app::host {

EditorSnapshot EditorSnapshot::Of(const editor::ScriptEditor& editor) {
    EditorSnapshot snapshot;
    snapshot.text = editor.Map().Cp1250();
    const int lines = editor.LineCount();
    snapshot.lineStarts.clear();
    snapshot.lineStarts.reserve(static_cast<std::size_t>(lines));
    for (int line = 0; line < lines; ++line) snapshot.lineStarts.push_back(editor.LineStart(line));
    if (snapshot.lineStarts.empty()) snapshot.lineStarts.push_back(0);
    editor.GetSelection(snapshot.selectionStart, snapshot.selectionEnd);
    return snapshot;
}

}  // namespace orvane::app::host
