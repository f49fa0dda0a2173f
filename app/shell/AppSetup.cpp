// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/AppSetup.h"

#include "core/platform/DataFolder.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

// The icons are compiled into the static library; a program that links it pulls them in here.
static void InitIconResources() { Q_INIT_RESOURCE(icons); }

namespace orvane::app::shell {

void AppSetup::Configure(QApplication& app) {
    InitIconResources();
    QApplication::setOrganizationName(QStringLiteral("ORVANE"));
    QApplication::setApplicationName(QStringLiteral("ORVANE"));
    QApplication::setApplicationDisplayName(QStringLiteral("ORVANE"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("orvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/orvane.svg")));
    QSettings::setDefaultFormat(QSettings::IniFormat);

    // The program speaks Polish whatever the desktop's language, and so should Qt's own
    // buttons and dialogs ("Tak", "Nie", "Anuluj").
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
}

orvane::host::PlatformFolders AppSetup::Folders() {
    return orvane::host::PlatformFolders::Detect(orvane::platform::DataFolder());
}

void AppSetup::UseHome(const QString& home) {
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home + QStringLiteral("/data")).toUtf8());
}

}  // namespace orvane::app::shell
