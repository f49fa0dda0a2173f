// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/EditorMarks.h"

#include <QColor>
#include <Qsci/qsciscintilla.h>

#include "app/editor/Markers.h"

namespace orvane::app::editor {

namespace {
constexpr int kBreakpointMask = 1 << kBreakpointMarker;
constexpr int kErrorMask = 1 << kErrorMarker;
}  // namespace

EditorMarks::EditorMarks(QsciScintilla& sci) : QObject(&sci), sci_(sci) {
    SetUpWarnings();
    connect(&sci, &QsciScintilla::marginClicked, this, [this](int margin, int line, Qt::KeyboardModifiers) {
        if (margin == kSymbolMargin) ToggleBreakpoint(line);
    });
    // A line the user mends no longer carries the complaint about it.
    connect(&sci, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char*, int, int, int, int, int, int, int) {
                if ((type & (QsciScintillaBase::SC_MOD_INSERTTEXT | QsciScintillaBase::SC_MOD_DELETETEXT)) == 0) return;
                const auto line = sci_.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
                sci_.markerDelete(static_cast<int>(line), kErrorMarker);
            });
}

void EditorMarks::ToggleBreakpoint(int line) {
    if (line < 0 || line >= sci_.lines()) return;
    if ((sci_.markersAtLine(line) & kBreakpointMask) != 0) sci_.markerDelete(line, kBreakpointMarker);
    else sci_.markerAdd(line, kBreakpointMarker);
    emit breakpointsChanged();
}

void EditorMarks::ToggleBreakpointAtCaret() {
    int line = 0;
    int index = 0;
    sci_.getCursorPosition(&line, &index);
    ToggleBreakpoint(line);
}

void EditorMarks::ClearBreakpoints() { sci_.markerDeleteAll(kBreakpointMarker); }

std::vector<int> EditorMarks::Breakpoints() const {
    std::vector<int> lines;
    for (int line = sci_.markerFindNext(0, kBreakpointMask); line >= 0;
         line = sci_.markerFindNext(line + 1, kBreakpointMask)) {
        lines.push_back(line);
    }
    return lines;
}

void EditorMarks::MarkCurrentLine(int line) {
    sci_.markerDeleteAll(kCurrentStatementMarker);
    if (line >= 0) sci_.markerAdd(line, kCurrentStatementMarker);
}

void EditorMarks::MarkError(int line) {
    if ((sci_.markersAtLine(line) & kErrorMask) == 0) sci_.markerAdd(line, kErrorMarker);
}

void EditorMarks::ClearErrors() { sci_.markerDeleteAll(kErrorMarker); }

// --- warnings -----------------------------------------------------------------------------------

namespace {
constexpr int kWarningMask = 1 << kWarningMarker;
}  // namespace

void EditorMarks::SetUpWarnings() {
    sci_.markerDefine(QsciScintilla::DownTriangle, kWarningMarker);
    sci_.setMarkerBackgroundColor(QColor(0xF0, 0xB4, 0x00), kWarningMarker);
    sci_.setMarkerForegroundColor(QColor(0x70, 0x50, 0x00), kWarningMarker);
    sci_.setMarginMarkerMask(kSymbolMargin, sci_.marginMarkerMask(kSymbolMargin) | kWarningMask);
    connect(&sci_, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int modification, const char*, int length, int, int, int, int, int, int) {
                EditedAt(position, modification, length);
            });
}

void EditorMarks::MarkWarning(int line) {
    if (line >= 0 && (sci_.markersAtLine(line) & kWarningMask) == 0) sci_.markerAdd(line, kWarningMarker);
}

void EditorMarks::ClearWarnings() { sci_.markerDeleteAll(kWarningMarker); }

std::vector<int> EditorMarks::Warnings() const {
    std::vector<int> lines;
    for (int line = sci_.markerFindNext(0, kWarningMask); line >= 0; line = sci_.markerFindNext(line + 1, kWarningMask))
        lines.push_back(line);
    return lines;
}

// Every line the edit touched loses its warning: the statement there is no longer the one judged.
void EditorMarks::EditedAt(int position, int modification, int length) {
    if ((modification & (QsciScintillaBase::SC_MOD_INSERTTEXT | QsciScintillaBase::SC_MOD_DELETETEXT)) == 0) return;
    const auto lineOf = [this](long pos) {
        return static_cast<int>(sci_.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(pos)));
    };
    const bool inserted = (modification & QsciScintillaBase::SC_MOD_INSERTTEXT) != 0;
    const int last = lineOf(inserted ? position + length : position);
    for (int line = lineOf(position); line <= last; ++line) sci_.markerDelete(line, kWarningMarker);
}

}  // namespace orvane::app::editor
