// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include <QObject>

class QsciScintilla;

namespace orvane::app::editor {

// What the window marks in the editor's symbol margin, drawn only here: the breakpoints (set by
// a click in the margin or the command), the arrow at the statement a run carries out next, and
// the lines a compile complained about. Lines count from 0.
class EditorMarks : public QObject {
    Q_OBJECT
public:
    explicit EditorMarks(QsciScintilla& sci);

    // A line outside the text is left alone.
    void ToggleBreakpoint(int line);
    void ToggleBreakpointAtCaret();
    void ClearBreakpoints();
    std::vector<int> Breakpoints() const;
    // -1 takes the arrow away.
    void MarkCurrentLine(int line);
    void MarkError(int line);
    void ClearErrors();

    // A statement whose result depends on the engine; the mark stays until its line is edited.
    void MarkWarning(int line);
    void ClearWarnings();
    std::vector<int> Warnings() const;

signals:
    // The user set or took away a breakpoint.
    void breakpointsChanged();

private:
    void SetUpWarnings();
    void EditedAt(int position, int modification, int length);

    QsciScintilla& sci_;
};

}  // namespace orvane::app::editor
