// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

class QSettings;

#include "core/host/SettingsStore.h"

namespace orvane::settings {

// The ORVANE section of ~/.config/ORVANE/ORVANE.ini ($XDG_CONFIG_HOME honoured), kept by
// QSettings in its INI format for the window and orvane-cli alike. Every call opens its own
// QSettings, which re-reads the file when another program changed it and makes the store safe
// to use from the window thread and the device thread at once. Keys are found ignoring case,
// as the profile store found them, and a write keeps the spelling already in the file.
class QtSettingsStore : public host::SettingsStore {
public:
    // An empty path means the standard file.
    explicit QtSettingsStore(QString path = {}, QString section = QStringLiteral("ORVANE"));
    static QString DefaultPath();

    std::string ReadString(std::string_view key, std::string_view fallback) const override;
    void WriteString(std::string_view key, std::string_view value) override;

    const QString& Path() const { return path_; }
    // Empty when the last write reached the file; otherwise why it did not.
    QString LastError() const;

private:
    QString FindKey(QSettings& file, std::string_view key) const;

    QString path_;
    QString section_;
    QString lastError_;
};

}  // namespace orvane::settings
