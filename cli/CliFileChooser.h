// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdio>
#include <optional>
#include <string>

#include "core/host/FileChooser.h"

namespace orvane::cli {

// The file "dialog" of a command line: the answer is the file named on it. When an operation
// asks again (the file could not be opened or created), there is nobody to choose another:
// the reason is printed and the request is cancelled.
class CliFileChooser : public host::FileChooser {
public:
    explicit CliFileChooser(std::FILE* out) : out_(out) {}

    // The file (CP1250) the next dialog is answered with, made absolute so that the setting it
    // ends up in still names it for the window application.
    void Offer(const std::string& path);

    std::optional<std::string> ChooseOpen(const host::FileRequest& request) override;
    std::optional<std::string> ChooseSave(const host::FileRequest& request) override;

    // The offered file was refused by the operation.
    bool Refused() const { return refused_; }

private:
    std::optional<std::string> Answer(const char* problemUtf8);

    std::FILE* out_;
    std::optional<std::string> offered_;
    bool asked_ = false;
    bool refused_ = false;
};

}  // namespace orvane::cli
