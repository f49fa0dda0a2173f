// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>

namespace orvane::app::editor {

// A function's hint under the caret while its arguments are typed, in the call tip format on a
// pale yellow ground. It never takes the keyboard and stays inside its parent.
class CallTip : public QLabel {
    Q_OBJECT

public:
    explicit CallTip(QWidget* parent);

    // Shows `hint` with its top left corner at `at`, moved left so that it ends inside the
    // parent (never past its left edge) and above the line when there is no room below it.
    void ShowAt(const QString& hint, QPoint at, int lineHeight);
};

}  // namespace orvane::app::editor
