// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAction;
class QDockWidget;

namespace orvane::app::window {

// Where a feature puts its dock: beside the editor (below it, for a dock not allowed on the
// right), its place and size kept with the window's layout (by the dock's object name).
class DockArea {
public:
    virtual ~DockArea() = default;
    // A dock that is not `shownOnRestore` keeps its place and size from the saved layout, but
    // stays hidden until its feature shows it.
    virtual void AddDock(QDockWidget* dock, bool shownOnRestore) = 0;
    // Lists the dock's show/hide toggle in "Wi&dok", after the bars' own items.
    virtual void AddViewToggle(QAction* toggle) = 0;
};

}  // namespace orvane::app::window
