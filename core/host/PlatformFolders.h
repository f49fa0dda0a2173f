// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace orvane::host {

// The folders the system derives at start-up, each ending with "/". On Linux the user folder is
// the home folder, the all-users folder the shared data folder of ORVANE, and the program folder
// the folder the data files (Komendy.ini, dictionaries, assembler includes) are installed in.
struct PlatformFolders {
    std::string userFolder;
    std::string profilesFolder;
    std::string allUsersFolder;
    std::string programFolder;

    // Reads HOME and XDG_DATA_HOME; the program folder is the host's to find.
    static PlatformFolders Detect(const std::string& programFolder);
};

}  // namespace orvane::host
