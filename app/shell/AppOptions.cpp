// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/AppOptions.h"

#include <QCommandLineParser>

namespace orvane::app::shell {

AppOptions AppOptions::Parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("ORVANE: środowisko programowania sterownika serw ORVANE."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Urządzenie sterownika na czas tego uruchomienia (np. /dev/ttyUSB0); "
                       "zapisane ustawienia pozostają bez zmian."),
        QStringLiteral("ŚCIEŻKA"));
    parser.addOption(port);
    parser.addPositionalArgument(QStringLiteral("plik"), QStringLiteral("Skrypt do otwarcia (*.orv)."),
                                 QStringLiteral("[plik]"));

    AppOptions options;
    if (!parser.parse(arguments)) {
        options.error = parser.errorText();
        return options;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version"))) {
        options.helpShown = true;
        if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);
        parser.showVersion();
    }
    if (parser.isSet(port)) {
        options.port = parser.value(port);
        if (options.port->isEmpty()) options.error = QStringLiteral("opcja --port wymaga ścieżki urządzenia");
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) options.error = QStringLiteral("można otworzyć tylko jeden skrypt naraz");
    else if (!files.isEmpty()) options.file = files.first();
    return options;
}

}  // namespace orvane::app::shell
