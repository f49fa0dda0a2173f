// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include <QApplication>

#include "app/document/ScriptDocument.h"
#include "app/shell/AppOptions.h"
#include "app/shell/AppSetup.h"
#include "app/shell/MainWindow.h"
#include "core/host/Cp1250.h"
#include "settings/OverlaySettings.h"
#include "settings/QtSettingsStore.h"

int main(int argc, char** argv) {
    using namespace orvane;
    QApplication application(argc, argv);
    app::shell::AppSetup::Configure(application);
    const app::shell::AppOptions options = app::shell::AppOptions::Parse(QApplication::arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "orvane: %s\n", qUtf8Printable(options.error));
        return 2;
    }

    settings::QtSettingsStore file;
    settings::OverlaySettings settings(file);
    if (options.port) settings.OverridePort(orvane::host::Utf8ToCp1250(options.port->toStdString()));

    app::shell::MainWindow window(settings, app::shell::AppSetup::Folders());
    window.show();
    // A script that cannot be opened is said so in its box; the window starts empty instead of
    // ending the program.
    if (options.file.isEmpty() || !window.Document().OpenPath(options.file)) window.RunStartUp();
    return QApplication::exec();
}
