// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliFileChooser.h"

#include <filesystem>

#include "core/host/Cp1250.h"

namespace orvane::cli {

void CliFileChooser::Offer(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(host::Cp1250ToUtf8(path), error);
    offered_ = error ? path : host::Utf8ToCp1250(absolute.lexically_normal().string());
    asked_ = false;
    refused_ = false;
}

std::optional<std::string> CliFileChooser::Answer(const char* problemUtf8) {
    if (!offered_) return std::nullopt;
    if (!asked_) {
        asked_ = true;
        return offered_;
    }
    refused_ = true;
    std::fprintf(out_, "%s: %s\n", problemUtf8, host::Cp1250ToUtf8(*offered_).c_str());
    return std::nullopt;
}

std::optional<std::string> CliFileChooser::ChooseOpen(const host::FileRequest&) {
    return Answer("Nie można otworzyć pliku");
}

std::optional<std::string> CliFileChooser::ChooseSave(const host::FileRequest&) {
    return Answer("Nie można utworzyć pliku");
}

}  // namespace orvane::cli
