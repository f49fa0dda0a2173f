// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/AcceleratorFilter.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>

namespace orvane::app::shell {

AcceleratorFilter::AcceleratorFilter(QMainWindow* window, const QList<QAction*>& actions)
    : QObject(window), window_(window) {
    QList<QKeySequence> mnemonics;
    for (QAction* menu : window->menuBar()->actions()) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(menu->text());
        if (!mnemonic.isEmpty()) mnemonics << mnemonic;
    }
    for (QAction* action : actions) {
        for (const QKeySequence& key : action->shortcuts()) {
            if (mnemonics.contains(key)) clashing_ << action;
        }
    }
    if (!clashing_.isEmpty()) qApp->installEventFilter(this);
}

QAction* AcceleratorFilter::ActionFor(QObject* watched, QEvent* event) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != window_ || QApplication::activeModalWidget() != nullptr) {
        return nullptr;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (QAction* action : clashing_) {
        if (action->isEnabled() && action->shortcuts().contains(pressed)) return action;
    }
    return nullptr;
}

bool AcceleratorFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
    QAction* action = ActionFor(watched, event);
    if (action == nullptr) return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // Claimed here, the key skips the shortcut map and comes back as a key press.
        event->accept();
        return true;
    }
    action->trigger();
    return true;
}

}  // namespace orvane::app::shell
