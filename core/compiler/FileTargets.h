// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "core/host/FileChooser.h"
#include "core/host/Prompts.h"

namespace orvane::compiler {

// The questions a compile asks about its files: a file it cannot use is named in a Yes/No box,
// and Yes lets the user pick another in a file dialog. No or Cancel gives up on the file.
class FileTargets {
public:
    struct Question {
        std::string caption;     // CP1250
        std::string textBefore;  // the box's text is textBefore + path + textAfter
        std::string textAfter;
        host::FileRequest request;  // filter and default extension; the path is the initial name
    };
    // A path the compile must not write to (the script itself, the shipped include files...).
    using Refused = std::function<bool(const std::string& path)>;

    FileTargets(host::Prompts& prompts, host::FileChooser& files);

    // A path that can be created or replaced (CP1250), or none.
    std::optional<std::string> Writable(std::string path, const Question& question,
                                        const Refused& refused);
    // A path that can be opened for reading, or none.
    std::optional<std::string> Readable(std::string path, const Question& question);
    // Asks once about a path that failed; the path chosen instead, or none.
    std::optional<std::string> AskAgain(const std::string& path, const Question& question,
                                        bool save);

    static bool CanRead(const std::string& path);
    static bool CanWrite(const std::string& path);

private:
    host::Prompts& prompts_;
    host::FileChooser& files_;
};

}  // namespace orvane::compiler
