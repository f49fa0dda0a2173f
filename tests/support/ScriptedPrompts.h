// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "core/host/Prompts.h"

namespace orvane::test {

// Records every box (texts converted to UTF-8 for readable assertions) and answers from a
// queue; when the queue is empty a Yes/No box is answered Yes and any other box Ok.
class ScriptedPrompts : public host::Prompts {
public:
    struct Box {
        std::string caption;  // UTF-8
        std::string text;     // UTF-8
        host::Buttons buttons;
        host::Icon icon;
    };

    host::Answer Ask(const std::string& caption, const std::string& text, host::Buttons buttons,
                     host::Icon icon) override;

    void QueueAnswer(host::Answer answer) { answers_.push_back(answer); }
    const std::vector<Box>& Boxes() const { return boxes_; }
    // Every box shown, as "caption | text".
    std::vector<std::string> Shown() const;
    void Clear() { boxes_.clear(); }

private:
    std::deque<host::Answer> answers_;
    std::vector<Box> boxes_;
};

}  // namespace orvane::test
