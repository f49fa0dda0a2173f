// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/DataFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace orvane::platform {

namespace {

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

// /proc/self/exe names the program itself, symbolic links resolved, however it was started.
std::string RunningProgramPath() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

}  // namespace

std::string DataFolderOf(const std::string& programPath) {
    const std::filesystem::path program(programPath);
    const auto folder =
        program.has_parent_path() ? program.parent_path() : std::filesystem::path(".");
    return WithSlash((folder / ORVANE_DATA_FROM_PROGRAM).lexically_normal().string());
}

std::string DataFolder() {
    const char* chosen = std::getenv("ORVANE_DATA_DIR");
    if (chosen && *chosen) return WithSlash(chosen);
    return DataFolderOf(RunningProgramPath());
}

}  // namespace orvane::platform
