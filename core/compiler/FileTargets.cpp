// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/FileTargets.h"

#include <fstream>

#include "core/host/Cp1250.h"
#include "core/platform/AtomicFile.h"

namespace orvane::compiler {

FileTargets::FileTargets(host::Prompts& prompts, host::FileChooser& files)
    : prompts_(prompts), files_(files) {}

bool FileTargets::CanRead(const std::string& path) {
    const std::string os = host::Cp1250ToUtf8(path);
    return platform::AtomicFile::Exists(os) && std::ifstream(os).good();
}

bool FileTargets::CanWrite(const std::string& path) {
    return !path.empty() && platform::AtomicFile::CanWrite(host::Cp1250ToUtf8(path));
}

std::optional<std::string> FileTargets::AskAgain(const std::string& path,
                                                 const Question& question, bool save) {
    if (!prompts_.AskYesNo(question.caption, question.textBefore + path + question.textAfter))
        return std::nullopt;
    host::FileRequest request = question.request;
    request.initialName = path;
    return save ? files_.ChooseSave(request) : files_.ChooseOpen(request);
}

std::optional<std::string> FileTargets::Writable(std::string path, const Question& question,
                                                 const Refused& refused) {
    while (!CanWrite(path) || (refused && refused(path))) {
        auto chosen = AskAgain(path, question, true);
        if (!chosen) return std::nullopt;
        path = std::move(*chosen);
    }
    return path;
}

std::optional<std::string> FileTargets::Readable(std::string path, const Question& question) {
    while (!CanRead(path)) {
        auto chosen = AskAgain(path, question, false);
        if (!chosen) return std::nullopt;
        path = std::move(*chosen);
    }
    return path;
}

}  // namespace orvane::compiler
