// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

#include "core/host/PlatformFolders.h"

class QApplication;

namespace orvane::app::shell {

// What the application sets up before its window: names (which also place QSettings' file at
// ~/.config/ORVANE/ORVANE.ini), Qt's own Polish texts for standard buttons and dialogs, the
// program icon, and the folders the core derives.
class AppSetup {
public:
    static void Configure(QApplication& app);
    // The user's folders, and the program folder: the data beside the program
    // (<prefix>/share/orvane next to <prefix>/bin, in the build tree as installed).
    static orvane::host::PlatformFolders Folders();
    // Points HOME and the XDG folders at `home` for this process, so the screenshot tool, the
    // benchmarks and the tests never read or write the user's own settings and files.
    static void UseHome(const QString& home);
};

}  // namespace orvane::app::shell
