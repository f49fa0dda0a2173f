// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/QtSettingsStore.h"

#include <optional>

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include "core/host/Cp1250.h"

namespace orvane::settings {

namespace {
QString FromCp1250(std::string_view text) {
    return QString::fromStdString(host::Cp1250ToUtf8(text));
}

std::string ToCp1250(const QString& text) { return host::Utf8ToCp1250(text.toStdString()); }

// A value written unquoted with a comma ("a, b") comes back from QSettings as a list; the
// profile store had no lists, so it is joined again. Anything else that is not text (a value
// another program stored as a variant) reads as missing rather than as garbage.
std::optional<QString> AsText(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QLatin1Char(','));
    if (value.canConvert<QString>()) return value.toString();
    return std::nullopt;
}
}  // namespace

QtSettingsStore::QtSettingsStore(QString path, QString section)
    : path_(path.isEmpty() ? DefaultPath() : std::move(path)), section_(std::move(section)) {}

QString QtSettingsStore::DefaultPath() {
    // QSettings' own user scope for organisation and application "ORVANE".
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("ORVANE/ORVANE.ini"));
}

QString QtSettingsStore::FindKey(QSettings& file, std::string_view key) const {
    const QString exact = FromCp1250(key);
    if (file.contains(exact)) return exact;
    for (const QString& candidate : file.childKeys()) {
        if (host::EqualsIgnoreCase(ToCp1250(candidate), key)) return candidate;
    }
    return exact;
}

std::string QtSettingsStore::ReadString(std::string_view key, std::string_view fallback) const {
    QSettings file(path_, QSettings::IniFormat);
    file.beginGroup(section_);
    const QString name = FindKey(file, key);
    if (!file.contains(name)) return std::string(fallback);
    const std::optional<QString> text = AsText(file.value(name));
    return text ? ToCp1250(*text) : std::string(fallback);
}

void QtSettingsStore::WriteString(std::string_view key, std::string_view value) {
    QSettings file(path_, QSettings::IniFormat);
    file.beginGroup(section_);
    file.setValue(FindKey(file, key), FromCp1250(value));
    file.endGroup();
    file.sync();
    switch (file.status()) {
        case QSettings::NoError: lastError_.clear(); break;
        case QSettings::AccessError: lastError_ = QStringLiteral("brak dostępu do pliku ") + path_; break;
        case QSettings::FormatError: lastError_ = QStringLiteral("błędny format pliku ") + path_; break;
    }
}

QString QtSettingsStore::LastError() const { return lastError_; }

}  // namespace orvane::settings
