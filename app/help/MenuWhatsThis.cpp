// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help/MenuWhatsThis.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QWhatsThis>

namespace orvane::app::help {

MenuWhatsThis::MenuWhatsThis(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }

bool MenuWhatsThis::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease || !QWhatsThis::inWhatsThisMode()) return false;
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu == nullptr) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    QAction* action = menu->actionAt(mouse->position().toPoint());
    if (action == nullptr || action->isEnabled() || action->whatsThis().isEmpty()) return false;
    const QString text = action->whatsThis();
    const QPoint at = menu->mapToGlobal(menu->actionGeometry(action).center());
    QWhatsThis::leaveWhatsThisMode();
    // The menu and the menus it opened from close, as after a click on an enabled item.
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<QMenu*>(widget) != nullptr && widget->isVisible()) widget->close();
    QWhatsThis::showText(at, text);
    return true;
}

}  // namespace orvane::app::help
