// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/document/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace orvane::app::document {

namespace {
const QString kGroup = QStringLiteral("Recent File List");
QString KeyOf(int i) { return QStringLiteral("File%1").arg(i + 1); }
}  // namespace

RecentFiles::RecentFiles(QObject* parent) : QObject(parent) {
    QSettings settings;
    settings.beginGroup(kGroup);
    for (int i = 0; i < kMaxEntries; ++i) {
        const QString path = settings.value(KeyOf(i)).toString();
        if (!path.isEmpty() && !files_.contains(path)) files_ << path;
    }
}

void RecentFiles::Add(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    files_.removeAll(full);
    files_.prepend(full);
    while (files_.size() > kMaxEntries) files_.removeLast();
    Store();
}

void RecentFiles::Remove(const QString& path) {
    if (files_.removeAll(path) > 0) Store();
}

void RecentFiles::Store() {
    QSettings settings;
    settings.beginGroup(kGroup);
    for (int i = 0; i < kMaxEntries; ++i) {
        if (i < files_.size()) settings.setValue(KeyOf(i), files_[i]);
        else settings.remove(KeyOf(i));
    }
    emit changed();
}

}  // namespace orvane::app::document
