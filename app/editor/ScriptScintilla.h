// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <Qsci/qsciscintilla.h>

namespace orvane::app::editor {

// The script's QsciScintilla, with one change where keys reach it: a chord with Ctrl or Alt never
// types its character, and Scintilla's hidden line and case commands (no menu offers them) are
// unbound. A chord whose window command is disabled or absent then leaves the script alone,
// whatever the mode, instead of typing its letter over the selection.
class ScriptScintilla : public QsciScintilla {
    Q_OBJECT
public:
    explicit ScriptScintilla(QWidget* parent);

    // Whether a key press is a chord that must not type: Ctrl or Alt held. AltGr arrives as its
    // own modifier on X11 and Wayland, so Polish letters typed with it still type.
    static bool IsChord(Qt::KeyboardModifiers modifiers);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UnbindHiddenEdits();
};

}  // namespace orvane::app::editor
