// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/PlatformFolders.h"

#include <cstdlib>

namespace orvane::host {

namespace {
std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}
std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}
}  // namespace

PlatformFolders PlatformFolders::Detect(const std::string& programFolder) {
    PlatformFolders f;
    std::string home = Env("HOME");
    if (home.empty()) home = "/tmp";
    f.userFolder = WithSlash(home);
    f.profilesFolder = "/home/";
    std::string dataHome = Env("XDG_DATA_HOME");
    if (dataHome.empty()) dataHome = f.userFolder + ".local/share";
    f.allUsersFolder = WithSlash(WithSlash(dataHome) + "ORVANE");
    f.programFolder = WithSlash(programFolder);
    return f;
}

}  // namespace orvane::host
