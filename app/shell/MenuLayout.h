#pragma once
#include <functional>

#include "app/shell/CommandIds.h"

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
    using ActionOf = std::function<QAction*(CommandId)>;
    struct Bars {
        QToolBar* main;
        QToolBar* program;
        QToolBar* modes;
    };

    // Fills the menu bar; `addRecent` puts the recent files into the Plik menu, after the
    // separator returned (hidden while there are none).
    static QAction* BuildMenus(QMenuBar* bar, const ActionOf& action, const std::function<void(QMenu*)>& addRecent);
    static Bars BuildToolBars(QMainWindow* window, const ActionOf& action);
};

}  // namespace orvane::app::shell
