// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/BuildPaths.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "core/host/Cp1250.h"

namespace orvane::compiler {

namespace {

// Where the file name's last extension starts; npos without one (a leading dot is no extension).
std::size_t ExtensionStart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot <= nameStart) return std::string_view::npos;
    return dot;
}

std::filesystem::path Resolved(const std::string& path) {
    std::error_code error;
    auto resolved = std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error);
    if (error) resolved = std::filesystem::absolute(path, error).lexically_normal();
    return resolved;
}

}  // namespace

std::string BuildPaths::FolderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string BuildPaths::BaseOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = ExtensionStart(path);
    return std::string(path.substr(nameStart, dot == std::string_view::npos ? std::string_view::npos
                                                                           : dot - nameStart));
}

std::string BuildPaths::WithoutTrailingSlash(std::string_view folder) {
    if (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
    return std::string(folder);
}

BuildPaths::Outputs BuildPaths::OutputsOf(std::string_view scriptPath) {
    static constexpr std::array<std::string_view, 4> kOwn{".hex", ".obj", ".eep", ".map"};
    std::string stem(scriptPath);
    const std::size_t dot = ExtensionStart(scriptPath);
    if (dot != std::string_view::npos) {
        const std::string extension = host::FoldCase(scriptPath.substr(dot));
        bool own = false;
        for (const auto e : kOwn) own = own || extension == e;
        if (!own) stem.resize(dot);
    }
    return {stem + ".hex", stem + ".obj", stem + ".eep", stem + ".map"};
}

bool BuildPaths::SameFile(const std::string& a, const std::string& b) {
    return Resolved(host::Cp1250ToUtf8(a)) == Resolved(host::Cp1250ToUtf8(b));
}

}  // namespace orvane::compiler
