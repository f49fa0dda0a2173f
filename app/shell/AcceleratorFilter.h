// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QList>

class QAction;
class QMainWindow;

namespace orvane::app::shell {

// Accelerators beat menu mnemonics, as they always did in this program: "Edycja Pozycji" is
// Alt+P although the "&Plik" menu's mnemonic is Alt+P too. Qt would call such a key ambiguous
// and do nothing; this filter gives it to the enabled action first and leaves it to the menu
// bar only while the action is disabled.
class AcceleratorFilter : public QObject {
    Q_OBJECT
public:
    // Watches the actions among `actions` whose keys clash with a mnemonic of the window's menus.
    AcceleratorFilter(QMainWindow* window, const QList<QAction*>& actions);
    const QList<QAction*>& Clashing() const { return clashing_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* ActionFor(QObject* watched, QEvent* event) const;

    QMainWindow* window_;
    QList<QAction*> clashing_;
};

}  // namespace orvane::app::shell
