// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>

#include <QString>
#include <QStringList>

namespace orvane::app::shell {

// The window's command line: a script to open, and --port PATH to talk to a given device (a
// USB adapter, the virtual controller) for this run only, leaving the stored settings alone.
struct AppOptions {
    QString file;
    std::optional<QString> port;
    // Set when the command line could not be understood; the text says why.
    QString error;
    bool helpShown = false;

    static AppOptions Parse(const QStringList& arguments);
};

}  // namespace orvane::app::shell
