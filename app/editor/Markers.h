// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane::app::editor {

// The editor's margins and markers, agreed by everyone who draws in them: margin 0 shows line
// numbers, margin 1 the symbols below; there is no folding margin.
enum Margin : int {
    kLineNumberMargin = 0,
    kSymbolMargin = 1,
};

// Marker numbers of the symbol margin (QScintilla allows 0 to 31; 25 and up are its folding
// markers, so ours stay below).
enum Marker : int {
    kBreakpointMarker = 1,        // a run halts before this line's statement
    kCurrentStatementMarker = 2,  // the statement a run carries out next
    kErrorMarker = 3,             // a line the compiler or the assembler complained about

    kWarningMarker = 8,  // a statement whose result depends on the engine (EditorMarks adds it to the margin)
};

// The symbol margin shows exactly these markers.
constexpr unsigned kSymbolMarginMask =
    (1u << kBreakpointMarker) | (1u << kCurrentStatementMarker) | (1u << kErrorMarker);

}  // namespace orvane::app::editor
