// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;

namespace orvane::app::shell {

// The status bar's panes beside the message pane: the overwrite indicator, a blank spacer and
// the raised mode pane " Tryb: <mode>". Qt reports no lock-key states portably, so the caps,
// num and scroll lock indicators are left out rather than shown wrong.
class StatusPanes : public QObject {
    Q_OBJECT
public:
    explicit StatusPanes(QStatusBar* bar);

    void SetMode(const QString& mode);
    void SetOverwrite(bool overwrite);
    QString ModeText() const;

private:
    QLabel* overwrite_;
    QLabel* mode_;
};

}  // namespace orvane::app::shell
