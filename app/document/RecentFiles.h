// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QStringList>

namespace orvane::app::document {

// The four most recent scripts, newest first, kept in the application's own settings (group
// "Recent File List", outside the ORVANE section the core reads).
class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxEntries = 4;

    explicit RecentFiles(QObject* parent = nullptr);
    const QStringList& Files() const { return files_; }
    void Add(const QString& path);
    void Remove(const QString& path);

signals:
    void changed();

private:
    void Store();
    QStringList files_;
};

}  // namespace orvane::app::document
