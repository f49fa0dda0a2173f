// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>

namespace orvane::app::help {

// Shift+F1 and then a click on a menu item shows the command's description (its What's This),
// as it does on a toolbar button. Qt's menus show it only for enabled items, while a disabled
// command is the one a user most wants explained; this shows it for those too.
class MenuWhatsThis : public QObject {
    Q_OBJECT
public:
    // Watches every menu of the application for as long as `parent` lives.
    explicit MenuWhatsThis(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace orvane::app::help
