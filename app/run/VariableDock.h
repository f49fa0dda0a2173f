// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDockWidget>
#include <QStringList>

class QListWidget;

namespace orvane::app::run {

// The run's variables beside the editor, one "name = value" line each, newest first. It opens
// when a run starts and keeps the values the run left once it ends (a short run may end before
// its first refresh), until the next run or until the user closes it.
class VariableDock : public QDockWidget {
    Q_OBJECT
public:
    explicit VariableDock(QWidget* parent);

    void Begin();
    void SetLines(const QStringList& lines);
    void Finish();
    // Another script: nothing of the last run's values is left.
    void Clear();
    QStringList Lines() const;

private:
    QListWidget* list_;
};

}  // namespace orvane::app::run
