// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdio>
#include <optional>

#include "core/host/Prompts.h"

namespace orvane::cli {

// Message boxes on the terminal: "caption: text" (UTF-8) on standard error. A Yes/No question
// takes the answer given on the command line (--yes / --no), else asks on the terminal when
// there is one, else is answered No, the answer that stops rather than goes on.
class TerminalPrompts : public host::Prompts {
public:
    TerminalPrompts(std::FILE* out, std::FILE* in, std::optional<bool> presetAnswer)
        : out_(out), in_(in), preset_(presetAnswer) {}

    host::Answer Ask(const std::string& caption, const std::string& text, host::Buttons buttons,
                     host::Icon icon) override;

    // How many boxes were shown; a failed command has shown at least one.
    int Shown() const { return shown_; }

private:
    bool AskTerminal();

    std::FILE* out_;
    std::FILE* in_;
    std::optional<bool> preset_;
    int shown_ = 0;
};

}  // namespace orvane::cli
