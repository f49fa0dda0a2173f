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
    // The user's folders, and the program folder: the data installed beside the program
    // (<prefix>/share/orvane next to <prefix>/bin), else the source tree's data/ of a build.
    static orvane::host::PlatformFolders Folders(const QString& applicationDir);
};

}  // namespace orvane::app::shell
