// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

#include "app/window/CommandIds.h"

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QToolBar;

namespace orvane::app::shell {

// Where each command stands: the menus in their order with their separators, and the three
// toolbars (named for the saved layout "BarStateORVANE").
class MenuLayout {
public:
    using ActionOf = std::function<QAction*(window::CommandId)>;
    struct Bars {
        QToolBar* main;
        QToolBar* program;
        QToolBar* modes;
    };

    struct Menus {
        QAction* recentSeparator;  // before the recent files, hidden while there are none
        QMenu* view;               // where the features' docks list their toggles
    };

    // Fills the menu bar; `addRecent` puts the recent files into the Plik menu.
    static Menus BuildMenus(QMenuBar* bar, const ActionOf& action, const std::function<void(QMenu*)>& addRecent);
    static Bars BuildToolBars(QMainWindow* window, const ActionOf& action);
};

}  // namespace orvane::app::shell
